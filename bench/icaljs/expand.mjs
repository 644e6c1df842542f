// The same work as BM_ParseAndExpand90Days with ical.js: parse the file and
// expand every event into 2025-03-01 .. 2025-05-29 (Asia/Tokyo), counting
// the occurrences. Prints the median time of the runs in milliseconds.
//   node expand.mjs CALENDAR.ics [RUNS]
import fs from 'node:fs';
import ICAL from 'ical.js';

const text = fs.readFileSync(process.argv[2], 'utf8');
const runs = Number(process.argv[3] || 15);
const start = ICAL.Time.fromDateTimeString('2025-02-27T00:00:00');
const end = ICAL.Time.fromDateTimeString('2025-05-31T00:00:00');

// Events without repeats are read from their properties; ICAL.Event (which
// costs far more) is made only for the series that need its iterator.
function expand() {
  const calendar = new ICAL.Component(ICAL.parse(text));
  const events = calendar.getAllSubcomponents('vevent');
  const series = new Map();
  let count = 0;
  for (const vevent of events) {
    if (vevent.hasProperty('recurrence-id')) continue;
    if (vevent.hasProperty('rrule') || vevent.hasProperty('rdate')) {
      series.set(vevent.getFirstPropertyValue('uid'), new ICAL.Event(vevent));
      continue;
    }
    const begin = vevent.getFirstPropertyValue('dtstart');
    const finish = vevent.getFirstPropertyValue('dtend') || begin;
    if (begin.compare(end) < 0 && finish.compare(start) > 0) count++;
  }
  for (const vevent of events) {
    if (!vevent.hasProperty('recurrence-id')) continue;
    const master = series.get(vevent.getFirstPropertyValue('uid'));
    if (master) master.relateException(vevent);
  }
  for (const event of series.values()) {
    const iterator = event.iterator();
    for (let next = iterator.next(); next; next = iterator.next()) {
      if (next.compare(end) >= 0) break;
      const details = event.getOccurrenceDetails(next);
      if (details.endDate.compare(start) > 0) count++;
    }
  }
  return count;
}

expand();  // warm-up
const times = [];
let count = 0;
for (let i = 0; i < runs; i++) {
  const begin = process.hrtime.bigint();
  count = expand();
  times.push(Number(process.hrtime.bigint() - begin) / 1e6);
}
times.sort((a, b) => a - b);
console.log(JSON.stringify({ median_ms: times[Math.floor(times.length / 2)], occurrences: count }));
