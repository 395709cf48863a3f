'use strict';
// Not a test: a page held open in headless Chromium for the window tests and benchmarks in C++.
// Usage: node page-watcher.js URL TEXT. Prints "load N 1 T S F Q B R D L" each time the page has
// loaded (N counts the loads; 1 when the page shows TEXT, else 0; T the wall clock in milliseconds
// when the load was seen here; then the page's own clock, in the same milliseconds: S the
// navigation's start (the reload asked for), F the fetch's start, Q the request sent, B the
// response's first byte, R its last, D the end of DOMContentLoaded, L the start of the load event;
// -1 where unknown). Each line on standard input is the next TEXT to look
// for; it ends when its standard input closes.
const { browser, closeBrowser } = require('./lib/browser');

async function main() {
  const [url, first = ''] = process.argv.slice(2);
  let text = first;
  const context = await (await browser()).newContext();
  const page = await context.newPage();
  let loads = 0;
  page.on('load', async () => {
    const at = Date.now();
    loads += 1;
    const n = loads;
    let shows = 0;
    let times = [-1, -1, -1, -1, -1, -1, -1];
    try {
      const seen = await page.evaluate((t) => {
        const n = performance.getEntriesByType('navigation')[0];
        const o = performance.timeOrigin;
        const at = (v) => (n && v > 0 ? Math.round(o + v) : -1);
        return {
          shows: document.documentElement.innerHTML.includes(t),
          times: [Math.round(o), at(n && n.fetchStart), at(n && n.requestStart), at(n && n.responseStart), at(n && n.responseEnd),
            at(n && n.domContentLoadedEventEnd), at(n && n.loadEventStart)],
        };
      }, text);
      shows = seen.shows ? 1 : 0;
      times = seen.times;
    } catch {
      // The page went on to load again; that load reports for itself.
    }
    process.stdout.write(`load ${n} ${shows} ${at} ${times.join(' ')}\n`);
  });
  await page.goto(url);
  let pending = '';
  process.stdin.on('data', (d) => {
    pending += d;
    const lines = pending.split('\n');
    pending = lines.pop();
    if (lines.length) text = lines[lines.length - 1];
  });
  await new Promise((resolve) => process.stdin.on('end', resolve));
  await closeBrowser();
}

main().catch((e) => {
  process.stderr.write(`${e.stack || e}\n`);
  process.exit(1);
});
