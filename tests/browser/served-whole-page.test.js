'use strict';
// The served preview is a whole page: a document type (so standards mode), the encoding it is sent
// in and a viewport, added by the server as it sends the page and never written into the preview
// file. Each program's runtime works in it, and draws as it draws in the file as written (a page
// without a document type, as the author's own pages often are).
const { test, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { PNG } = require('pngjs');
const { skipReason, freshDir } = require('./lib/programs');
const { closeBrowser } = require('./lib/browser');
const { share } = require('./lib/applets');
const { serve, openServed } = require('./lib/serve');
const plain = require('./lib/served');

after(closeBrowser);

const PROJECTS = {
  dulcamon: { template: 'classic_vertical.dlcg', ext: '.dlcg' },
  kestravo: { template: 'classic_blue.ksdm', ext: '.ksdm' },
  vantrel: { template: 'ocean_glide.vtp', ext: '.vtp', args: ['--script-runtime'] },
  osmerin: { template: 'mixed_news.osn', ext: '.osn', args: ['--script-runtime'] },
};

// A template beside its pictures and texts.
function project(product) {
  const { template, ext } = PROJECTS[product];
  const dir = freshDir(`${product}-whole`);
  for (const f of fs.readdirSync(share(product, 'templates'))) fs.copyFileSync(share(product, 'templates', f), path.join(dir, f));
  const file = path.join(dir, 'whole' + ext);
  fs.copyFileSync(path.join(dir, template), file);
  return file;
}

// The preview folder --serve publishes into, below its private temporary folder.
function previewFolder(tmp) {
  const found = [];
  const walk = (d) => {
    for (const e of fs.readdirSync(d, { withFileTypes: true })) {
      const p = path.join(d, e.name);
      if (e.isDirectory()) walk(p);
      else if (e.name === '~preview.html') found.push(d);
    }
  };
  walk(tmp);
  assert.equal(found.length, 1, `one preview folder below ${tmp}`);
  return found[0];
}

// The runtime has drawn its menu or news box, and it opens or shows its items.
const RUNTIMES = {
  async dulcamon(page) {
    const toggle = page.locator('nav button[aria-expanded]').first();
    await toggle.waitFor();
    await toggle.click();
    await page.waitForFunction(() => {
      const b = document.querySelector('nav button[aria-expanded]');
      const list = b && document.getElementById(b.getAttribute('aria-controls'));
      return b.getAttribute('aria-expanded') === 'true' && list && !list.hidden && list.getBoundingClientRect().height > 0;
    });
  },
  async kestravo(page) {
    const select = page.locator('select');
    await select.waitFor();
    assert.ok(await select.evaluate((s) => s.options.length) > 2, 'the menu lists its entries');
    const box = await select.boundingBox();
    assert.ok(box && box.width > 20 && box.height > 10, `the menu is drawn: ${JSON.stringify(box)}`);
  },
  async vantrel(page) {
    await page.waitForFunction(() => document.querySelector('.v20-item') && !document.querySelector('.v20-loading'));
    const group = page.locator('nav.vantrel20 button[aria-expanded]').first();
    const was = await group.getAttribute('aria-expanded');
    await group.click();
    await page.waitForFunction((w) => document.querySelector('nav.vantrel20 button[aria-expanded]').getAttribute('aria-expanded') !== w, was);
  },
  async osmerin(page) {
    await page.waitForFunction(() => document.querySelector('.osmeral') && !document.querySelector('.os-loading'));
    assert.ok(await page.locator('.os-item').count() > 1, 'the news box shows its items');
    const box = await page.locator('.osmeral').boundingBox();
    assert.ok(box && box.width > 50 && box.height > 50, `the news box is drawn: ${JSON.stringify(box)}`);
  },
};

// What each runtime draws.
const DRAWN = { dulcamon: 'nav', kestravo: 'select', vantrel: 'nav.vantrel20', osmerin: '.osmeral' };

// Drawn and settled (no focus, no motion): the picture of what the runtime draws, and where.
async function settled(page, product) {
  if (product === 'vantrel') await page.waitForFunction(() => document.querySelector('.v20-item') && !document.querySelector('.v20-loading'));
  if (product === 'osmerin') await page.waitForFunction(() => document.querySelector('.osmeral') && !document.querySelector('.os-loading'));
  const drawn = page.locator(DRAWN[product]).first();
  await drawn.waitFor();
  await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
  return { png: PNG.sync.read(await drawn.screenshot()), box: await drawn.boundingBox() };
}

function differingPixels(a, b) {
  assert.deepEqual([a.width, a.height], [b.width, b.height]);
  let differing = 0;
  for (let i = 0; i < a.data.length; i += 4) {
    if (a.data[i] !== b.data[i] || a.data[i + 1] !== b.data[i + 1] || a.data[i + 2] !== b.data[i + 2]) differing += 1;
  }
  return differing;
}

for (const product of Object.keys(PROJECTS)) {
  test(`${product}: the served preview is a whole page, its runtime works there and draws as in the file`, { skip: skipReason(product) }, async () => {
    const file = project(product);
    const served = serve(product, file, PROJECTS[product].args || []);
    try {
      const url = await served.url;
      const folder = previewFolder(served.tmp);
      const written = fs.readFileSync(path.join(folder, '~preview.html'));

      // On a phone: standards mode, the page's own width, scale 1.
      const phone = await openServed(url, { viewport: { width: 375, height: 667 }, isMobile: true, hasTouch: true, deviceScaleFactor: 2 });
      try {
        const { page } = phone;
        const response = await page.reload();
        assert.equal(response.headers()['content-type'], 'text/html; charset=utf-8');
        const body = await response.text();
        assert.match(body, /^<!DOCTYPE html>\r\n<HTML>\r\n<meta charset="utf-8">\r\n<meta name="viewport" content="width=device-width, initial-scale=1">\r\n/);
        const seen = await page.evaluate(() => ({ mode: document.compatMode, charset: document.characterSet, width: innerWidth, scale: visualViewport.scale }));
        assert.deepEqual(seen, { mode: 'CSS1Compat', charset: 'UTF-8', width: 375, scale: 1 });
        await RUNTIMES[product](page);
      } finally {
        await phone.close();
      }
      // Added as sent: the file stays as written.
      assert.deepEqual(fs.readFileSync(path.join(folder, '~preview.html')), written);
      assert.doesNotMatch(written.toString('latin1'), /DOCTYPE|viewport|EventSource/);

      // The same files as an ordinary server sends them (no document type: quirks mode) draw the same picture.
      const options = { viewport: { width: 800, height: 600 }, reducedMotion: 'reduce' };
      const whole = await openServed(url, options);
      const quirks = await plain.openServed(folder, '~preview.html', options);
      try {
        assert.equal(await quirks.page.evaluate(() => document.compatMode), 'BackCompat');
        const a = await settled(whole.page, product);
        const b = await settled(quirks.page, product);
        // Its size and picture are the same. (Where it sits may differ by the height of a line's
        // strut: a page in standards mode gives an inline menu on a line of its own that line's
        // height, as the author's own page with a document type does.)
        assert.deepEqual([a.box.width, a.box.height], [b.box.width, b.box.height], 'the same size in both modes');
        const differing = differingPixels(a.png, b.png);
        if (differing) {
          const out = path.resolve(__dirname, 'out');
          fs.mkdirSync(out, { recursive: true });
          fs.writeFileSync(path.join(out, `${product}-served-whole.png`), PNG.sync.write(a.png));
          fs.writeFileSync(path.join(out, `${product}-served-quirks.png`), PNG.sync.write(b.png));
        }
        assert.equal(differing, 0, `${differing} pixels differ between the whole page and the file as written (see out/${product}-served-*.png)`);
        assert.ok(Math.abs(a.box.x - b.box.x) < 1 && Math.abs(a.box.y - b.box.y) <= 4,
          `in the same place but for a line's strut: ${JSON.stringify([a.box, b.box])}`);
      } finally {
        await whole.close();
        await quirks.close();
      }
    } finally {
      await served.stop();
    }
  });
}
