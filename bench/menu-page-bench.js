'use strict';
// Page benchmark of the pop-out menu: a 1,048-item menu (8 main items, 80 sub-menus, 960 leaves)
// published by dulcamon and loaded in headless Chromium, at full speed and on a 4x slower CPU.
// Prints the menu's build time, the longest task of the load (long tasks are those over 50 ms)
// and the time to open the largest sub-menu for the first time.
// Run: cd tests/browser && npm ci && KZT_BUILD_DIR=<build dir> node ../../bench/menu-page-bench.js
const fs = require('node:fs');
const lib = require('node:path').join(__dirname, '..', 'tests', 'browser', 'lib');
const { publish, hasProgram, exePath } = require(`${lib}/programs`);
const { writeProject, dlcgParams, dlcgItems } = require(`${lib}/projects`);
const { open, closeBrowser } = require(`${lib}/browser`);

const looks = [{ bg: '1565C0', fg: 'FFFFFF', bgOver: '90CAF9', fgOver: '0B3D91' }, { bg: 'FFFFFF', fg: '1F2933', bgOver: '1F2933', fgOver: 'FFFFFF' }];
const tree = Array.from({ length: 8 }, (_, i) => ({ caption: `Section ${i + 1}`, url: `s${i}.html`, ...looks[0],
  kids: Array.from({ length: 10 }, (__, j) => ({ caption: `Group ${i + 1}.${j + 1}`, ...looks[1], desc: `Pages of group ${j + 1}`,
    kids: Array.from({ length: 12 }, (___, k) => ({ caption: `Page ${i + 1}.${j + 1}.${k + 1}`, url: `p${i}-${j}-${k}.html`, ...looks[k % 2] })) })) }));

const INIT = () => {
  window.__long = [];
  new PerformanceObserver((l) => { for (const e of l.getEntries()) window.__long.push(e.duration); })
    .observe({ type: 'longtask', buffered: true });
};

async function run(site, slowdown) {
  const s = await open(null, { viewport: { width: 1024, height: 768 }, init: INIT });
  try {
    const cdp = await s.context.newCDPSession(s.page);
    await cdp.send('Emulation.setCPUThrottlingRate', { rate: slowdown });
    await s.page.goto(site.url);
    await s.page.waitForTimeout(300); // let the observer report the load's tasks
    const load = await s.page.evaluate(() => ({ build: window.__build, longest: Math.max(0, ...window.__long), long: window.__long.length,
      made: document.querySelectorAll('nav li').length }));
    const toggle = s.page.locator('nav button[aria-expanded]').first();
    await toggle.focus();
    const first = await s.page.evaluate(() => { const t = performance.now(); document.activeElement.click(); return performance.now() - t; });
    const toggles = await s.page.locator('nav button[aria-expanded=true]').count();
    return { ...load, first, opened: toggles };
  } finally {
    await s.close();
  }
}

(async () => {
  if (!hasProgram('dulcamon')) throw new Error(`${exePath('dulcamon')} is missing: build dulcamon first`);
  const items = dlcgItems(tree);
  const site = publish('dulcamon', writeProject('dulcamon', dlcgParams({ glide: 0 }), items), 'bench');
  // Time the call that builds the menu, in the page itself.
  const page = fs.readFileSync(site.page, 'latin1');
  fs.writeFileSync(site.page, page.replace('dulcam10.qeLvORpin();',
    'var __t=performance.now();dulcam10.qeLvORpin();window.__build=performance.now()-__t;'), 'latin1');
  console.log(`menu page benchmark: ${items.length} items`);
  for (const slowdown of [1, 4]) {
    const r = await run(site, slowdown);
    console.log(`CPU x${slowdown}: build ${r.build.toFixed(1)} ms (${r.made} items made at load), ` +
      `longest task ${r.long ? r.longest.toFixed(1) + ' ms' : 'none over 50 ms'} (${r.long} long tasks), ` +
      `first opening of a 10-item sub-menu ${r.first.toFixed(1)} ms`);
  }
  await closeBrowser();
})().catch(async (e) => {
  console.error(e);
  await closeBrowser();
  process.exit(1);
});
