#!/usr/bin/env node
// Writes tests/calendar/holidays_2018_2027.tsv: the public holidays of 2018..2027 as the official
// almanac (월력요항) publishes them, taken from the npm package @hyunbinseo/holidays-kr (5.2027.1),
// which carries them year by year. One line per holiday, "YYYY-MM-DD<TAB>name", in date order; two
// names on one day are two lines, in the package's order. The holiday tests compare every date and
// name of those years with it.
//
// The package is a one-off tool, never a build or test dependency. Install it outside the
// repository and name that folder:
//   mkdir /tmp/hk && (cd /tmp/hk && npm install @hyunbinseo/holidays-kr@5.2027.1)
//   node calendar/tools/make_holiday_reference.mjs /tmp/hk
import { writeFileSync } from "node:fs";
import path from "node:path";
import { fileURLToPath, pathToFileURL } from "node:url";

const folder = process.argv[2];
if (!folder) {
  console.error("usage: make_holiday_reference.mjs FOLDER-WITH-node_modules");
  process.exit(2);
}
const entry = path.resolve(folder, "node_modules/@hyunbinseo/holidays-kr/dist/all.js");
const all = await import(pathToFileURL(entry).href);
const lines = [];
for (let year = 2018; year <= 2027; ++year) {
  const preset = all[`y${year}`];
  if (!preset) throw new Error(`the package has no holidays for ${year}`);
  for (const date of Object.keys(preset).sort())
    for (const name of preset[date]) lines.push(`${date}\t${name}`);
}
const here = path.dirname(fileURLToPath(import.meta.url));
const out = path.resolve(here, "../../tests/calendar/holidays_2018_2027.tsv");
writeFileSync(out, lines.join("\n") + "\n");
console.log(`${out}: ${lines.length} holidays`);
