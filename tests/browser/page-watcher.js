'use strict';
// Not a test: a page held open in headless Chromium for the window tests and benchmarks in C++.
// Usage: node page-watcher.js URL TEXT. Prints "load N 1 T" each time the page has loaded (N counts
// the loads; 1 when the page shows TEXT, else 0; T the wall clock in milliseconds at the load). Each line on standard input is the next TEXT to
// look for; it ends when its standard input closes.
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
    try {
      shows = (await page.evaluate((t) => document.documentElement.innerHTML.includes(t), text)) ? 1 : 0;
    } catch {
      // The page went on to load again; that load reports for itself.
    }
    process.stdout.write(`load ${n} ${shows} ${at}\n`);
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
