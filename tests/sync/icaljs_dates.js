// Prints each start date (YYYY-MM-DD) that ical.js expands from the calendar object given, up to
// the year given: how a web client reads it.
const fs = require('fs');
const ICAL = require('ical.js');

const [objectPath, lastYear] = process.argv.slice(2);
const component = new ICAL.Component(ICAL.parse(fs.readFileSync(objectPath, 'utf8')));
const event = new ICAL.Event(component.getFirstSubcomponent('vevent'));
const iterator = event.iterator();
for (let next = iterator.next(); next && next.year <= Number(lastYear); next = iterator.next())
  console.log(next.toString().slice(0, 10));
