'use strict';
// Writes docs/screenshots/<template>.png: every shipped template's page as the programs publish it,
// with one branch of the pop-out menus opened and the jump menus' entries listed.
// Run: cd tests/browser && KZT_BUILD_DIR=<build dir> node screenshots.js
const fs = require('node:fs');
const path = require('node:path');
const { REPO, publish, hasProgram, exePath } = require('./lib/programs');
const { open, closeBrowser } = require('./lib/browser');

const OUT = path.join(REPO, 'docs', 'screenshots');

async function dulcamon(file) {
  const name = path.basename(file, '.dlcg');
  const site = publish('dulcamon', fs.readFileSync(file), name);
  const s = await open(site.url, { viewport: { width: 720, height: 360 } });
  try {
    const page = s.page;
    // Open the first branch down to its deepest level, as a visitor clicking through it would.
    for (;;) {
      const closed = page.locator('nav button[aria-expanded=false]').filter({ visible: true }).first();
      const open = page.locator('nav [aria-expanded=true]');
      const inside = (await open.count()) ? page.locator('#' + await open.last().getAttribute('aria-controls'))
        .locator('button[aria-expanded=false]').first() : closed;
      if (!(await inside.count())) break;
      const id = await inside.getAttribute('aria-controls'); // the locator moves on once this one opens
      await inside.click();
      await page.waitForFunction((i) => document.getElementById(i).hidden === false, id);
    }
    await page.waitForTimeout(600); // let the opening effects finish
    await page.screenshot({ path: path.join(OUT, `dulcamon-${name}.png`) });
  } finally {
    await s.close();
  }
}

async function kestravo(file) {
  const name = path.basename(file, '.ksdm');
  const site = publish('kestravo', fs.readFileSync(file), name);
  const s = await open(site.url, { viewport: { width: 420, height: 420 } });
  try {
    // A closed drop-down shows one line; list every entry with its colours instead.
    await s.page.$eval('select', (e) => { e.size = e.options.length; });
    await s.page.screenshot({ path: path.join(OUT, `kestravo-${name}.png`), clip: { x: 0, y: 0, width: 420, height: 420 } });
  } finally {
    await s.close();
  }
}

(async () => {
  fs.mkdirSync(OUT, { recursive: true });
  for (const [product, ext, shoot] of [['dulcamon', '.dlcg', dulcamon], ['kestravo', '.ksdm', kestravo]]) {
    if (!hasProgram(product)) throw new Error(`${exePath(product)} is missing: build ${product} first`);
    const dir = path.join(REPO, product, 'share', 'templates');
    for (const f of fs.readdirSync(dir).filter((x) => x.endsWith(ext)).sort()) {
      await shoot(path.join(dir, f));
      console.log(`${product}: ${f}`);
    }
  }
  await closeBrowser();
})().catch(async (e) => {
  console.error(e);
  await closeBrowser();
  process.exit(1);
});
