#!/usr/bin/env node
// Writes tests/calendar/solar_terms_second_source.tsv: the 24 solar terms of a sample of years
// from a second, independent source, the npm package lunar-javascript (1.7.7; its own astronomy,
// times to the second in China's UTC+8, here turned into Korean UTC+9). One line per term,
// "YYYY-MM-DD HH:MM:SS<TAB>index<TAB>name", index 0 = 소한 .. 23 = 동지. The solar-term test
// checks the libnova table against it.
//
// The package is a one-off tool, never a build or test dependency:
//   mkdir /tmp/lj && (cd /tmp/lj && npm install lunar-javascript@1.7.7)
//   node calendar/tools/make_solar_term_check.mjs /tmp/lj
import { writeFileSync } from "node:fs";
import { createRequire } from "node:module";
import path from "node:path";
import { fileURLToPath } from "node:url";

const folder = process.argv[2];
if (!folder) {
  console.error("usage: make_solar_term_check.mjs FOLDER-WITH-node_modules");
  process.exit(2);
}
const { Solar } = createRequire(path.resolve(folder, "package.json"))("lunar-javascript");
const NAMES = ["소한", "대한", "입춘", "우수", "경칩", "춘분", "청명", "곡우", "입하", "소만", "망종", "하지",
               "소서", "대서", "입추", "처서", "백로", "추분", "한로", "상강", "입동", "소설", "대설", "동지"];
// The table's first and last years, the turns of the centuries, and recent years.
const YEARS = [1841, 1875, 1900, 1936, 1950, 1984, 2000, 2017, 2024, 2025, 2043];
const pad = (n, w = 2) => String(n).padStart(w, "0");
const lines = [];
for (const year of YEARS) {
  const moments = new Set();
  for (const y of [year - 1, year, year + 1]) {
    const table = Solar.fromYmd(y, 6, 1).getLunar().getJieQiTable();
    for (const s of Object.values(table)) {
      const utc8 = Date.UTC(s.getYear(), s.getMonth() - 1, s.getDay(), s.getHour(), s.getMinute(), s.getSecond());
      moments.add(utc8 + 3600 * 1000);
    }
  }
  const ofYear = [...moments].filter((ms) => new Date(ms).getUTCFullYear() === year).sort((a, b) => a - b);
  if (ofYear.length !== 24) throw new Error(`${year}: ${ofYear.length} terms`);
  ofYear.forEach((ms, index) => {
    const t = new Date(ms);
    lines.push(`${t.getUTCFullYear()}-${pad(t.getUTCMonth() + 1)}-${pad(t.getUTCDate())} ` +
               `${pad(t.getUTCHours())}:${pad(t.getUTCMinutes())}:${pad(t.getUTCSeconds())}\t${index}\t${NAMES[index]}`);
  });
}
const here = path.dirname(fileURLToPath(import.meta.url));
const out = path.resolve(here, "../../tests/calendar/solar_terms_second_source.tsv");
writeFileSync(out, lines.join("\n") + "\n");
console.log(`${out}: ${lines.length} terms`);
