#!/usr/bin/env node
// Asks the Korean national standard's lunar tables, as the npm package korean-lunar-calendar
// publishes them (the Korea Astronomy and Space Science Institute's tables, lunar 1000..2050),
// for every lunar month of 1841..2043, and writes what it answers in one of two forms:
//
//   (default)  tests/calendar/standard_month_starts.txt: one line per lunar month,
//              "YEAR MONTH LEAP SOLAR-DATE-OF-DAY-1", and a last line for lunar 2044-01-01 that
//              closes lunar 2043-12. The calendar tests compare the compiled table with it.
//   --codes    the month-length codes in the layout of calendar/tools/lunar_month_table.txt, on
//              stdout, so that `diff` shows where the table and the standard part.
//
// The package is a one-off tool, never a build or test dependency. Install it outside the
// repository and name that folder:
//   mkdir /tmp/klc && (cd /tmp/klc && npm install korean-lunar-calendar)
//   node calendar/tools/make_standard_month_starts.mjs /tmp/klc [--codes]
import { writeFileSync } from "node:fs";
import { createRequire } from "node:module";
import path from "node:path";
import { fileURLToPath } from "node:url";

const FIRST_YEAR = 1841, LAST_YEAR = 2043;
const args = process.argv.slice(2);
const packageFolder = args.find((a) => !a.startsWith("--"));
if (!packageFolder) {
  console.error("usage: make_standard_month_starts.mjs FOLDER-WITH-node_modules [--codes]");
  process.exit(2);
}
const KoreanLunarCalendar = createRequire(path.resolve(packageFolder, "package.json"))("korean-lunar-calendar");
const standard = new KoreanLunarCalendar();

// The package refuses a lunar date that does not exist: day 30 of a 29-day month, or a leap
// month where the year has none. Its answers to these two questions give every month's length.
const exists = (year, month, day, leap) => standard.setLunarDate(year, month, day, leap);
const length = (year, month, leap) => (exists(year, month, 30, leap) ? 30 : 29);
function firstDay(year, month, leap) {
  if (!exists(year, month, 1, leap)) throw new Error(`no lunar ${year}-${month}${leap ? " leap" : ""}`);
  const { year: y, month: m, day: d } = standard.getSolarCalendar();
  return `${y}-${String(m).padStart(2, "0")}-${String(d).padStart(2, "0")}`;
}

// Code of one month (1..6), as lunar_month_codes.h defines them.
function code(year, month) {
  const regular = length(year, month, false);
  if (!exists(year, month, 1, true)) return regular === 30 ? 2 : 1;
  const leap = length(year, month, true);
  return regular === 29 ? (leap === 29 ? 3 : 4) : leap === 29 ? 5 : 6;
}

if (args.includes("--codes")) {
  const lines = [];
  for (let first = FIRST_YEAR; first <= LAST_YEAR; first += 10) {
    const groups = [];
    for (let year = first; year <= Math.min(first + 9, LAST_YEAR); ++year) {
      let group = "";
      for (let month = 1; month <= 12; ++month) group += code(year, month);
      groups.push(group);
    }
    lines.push(`${first} ${groups.join(" ")}`);
  }
  process.stdout.write(lines.join("\n") + "\n");
} else {
  const lines = [
    "# Lunar month starts of the Korean national standard (KASI tables, through the npm package",
    "# korean-lunar-calendar), lunar 1841-01 .. 2043-12 and lunar 2044-01-01 to close the last month.",
    "# Made by calendar/tools/make_standard_month_starts.mjs; do not edit.",
    "# lunar-year month leap(0/1) solar-date-of-day-1",
  ];
  for (let year = FIRST_YEAR; year <= LAST_YEAR; ++year)
    for (let month = 1; month <= 12; ++month) {
      lines.push(`${year} ${month} 0 ${firstDay(year, month, false)}`);
      if (exists(year, month, 1, true)) lines.push(`${year} ${month} 1 ${firstDay(year, month, true)}`);
    }
  lines.push(`${LAST_YEAR + 1} 1 0 ${firstDay(LAST_YEAR + 1, 1, false)}`);
  const here = path.dirname(fileURLToPath(import.meta.url));
  const target = path.resolve(here, "../../tests/calendar/standard_month_starts.txt");
  writeFileSync(target, lines.join("\n") + "\n");
  console.log(`wrote ${target} (${lines.length - 4} months)`);
}
