'use strict';
// The browser and the native preview agree: for every shipped template of the two applet programs,
// the script runtime's box in Chromium and the editor's native preview of the same document are
// compared pixel by pixel outside the text (fills, pictures, borders, item boxes, scroll bar and
// buttons). Text is left out: the two draw it with different font engines, so its pixels differ.
const { test, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { skipReason, freshDir } = require('./lib/programs');
const { open, withPage, closeBrowser } = require('./lib/browser');
const { share, templates, publishWithRuntime, editVantrel, editOsmerin } = require('./lib/applets');
const { snapshotSkip, nativeSnapshot, grow, compare, keepForHuman, PNG } = require('./lib/agreement');

after(closeBrowser);

// A channel may differ by this much and still count as the same colour: the native ramps step in
// 256 strips where the browser's gradients are continuous, which leaves up to three levels; the
// rest is room for Chromium's gradient dithering and its own JPEG colour conversion.
const TOLERANCE = 8;
// At most this fraction of the compared pixels may differ by more: single pixels where the two
// sides cannot agree exactly, such as the inner corner pixel that the preview's frame styles leave
// unpainted (one per framed box), an arrow edge pixel that Qt's pen rounds its own way, or an
// anti-aliased glyph edge just outside a text mask. A missing or misplaced border, fill, picture
// or scroll bar part differs in far more.
const BOUND = 0.001;
// Text rectangles grow by this much on each side before they are masked, for anti-aliased glyph
// edges and for the two font engines placing the same line a pixel or two apart.
const TEXT_MARGIN = 2;

// The geometry of the runtime's box, relative to the box: the rectangles its text covers and
// those of the controls only the runtime has.
async function browserGeometry(page, box, textSelector, ownControls) {
  return page.evaluate(([box, textSelector, ownControls]) => {
    const origin = document.querySelector(box).getBoundingClientRect();
    const rel = (r) => [r.left - origin.left, r.top - origin.top, r.right - origin.left, r.bottom - origin.top].map(Math.round);
    const text = [];
    for (const e of document.querySelectorAll(textSelector)) {
      if (getComputedStyle(e).visibility === 'hidden') continue;
      const walk = document.createTreeWalker(e, NodeFilter.SHOW_TEXT);
      for (let n = walk.nextNode(); n; n = walk.nextNode()) {
        const range = document.createRange();
        range.selectNodeContents(n);
        for (const r of range.getClientRects()) if (r.width && r.height) text.push(rel(r));
      }
    }
    const own = [...document.querySelectorAll(ownControls)].map((e) => rel(e.getBoundingClientRect()));
    return { text, own };
  }, [box, textSelector, ownControls]);
}

// A still picture of the runtime's box: loading screen gone, pictures and fonts in, no pointer
// over it and no focus in it.
async function still(page, selector, loading) {
  await page.waitForFunction((s) => !document.querySelector(s), loading);
  await page.waitForFunction(() => [...document.images].every((i) => i.complete) && document.fonts.status === 'loaded');
  await page.mouse.move(1279, 959);
  await page.evaluate(() => document.activeElement && document.activeElement.blur());
  return PNG.sync.read(await page.locator(selector).screenshot({ animations: 'disabled', caret: 'hide', scale: 'css' }));
}

function assertAgree(t, name, native, browser, masks) {
  assert.deepEqual([browser.width, browser.height], [native.width, native.height], `${name}: box size`);
  const result = compare(native, browser, masks, TOLERANCE);
  // The text masks leave most of the box to compare; a mask gone wrong must not hide the box.
  assert.ok(result.compared >= 0.6 * native.width * native.height, `${name}: only ${result.compared} pixels left to compare`);
  t.diagnostic(`${name}: ${result.differing} of ${result.compared} compared pixels differ by more than ${TOLERANCE} ` +
    `(${(100 * result.fraction).toFixed(3)}%); the largest difference within it is ${result.within}`);
  // KZT_KEEP_PICTURES=1 keeps the pictures of every comparison, to look at the small differences too.
  if (process.env.KZT_KEEP_PICTURES === '1' && result.fraction <= BOUND) keepForHuman(name, native, browser, result.diff);
  if (result.fraction > BOUND) {
    const kept = keepForHuman(name, native, browser, result.diff);
    assert.fail(`${name}: ${(100 * result.fraction).toFixed(3)}% of the pixels outside text differ ` +
      `(bound ${(100 * BOUND).toFixed(1)}%); see ${kept}`);
  }
}

const vantrelSkip = skipReason('vantrel') || snapshotSkip('vantrel');
const osmerinSkip = skipReason('osmerin') || snapshotSkip('osmerin');

// The native preview draws every item whatever its initial visibility, the runtime only those that
// show at first; with every item visible at first the two show the same items.
const allShown = (text) => editVantrel(text, { item: () => ({ 68: '1' }) });

async function vantrelAgrees(t, name, text) {
  const site = publishWithRuntime('vantrel', text, name);
  const native = nativeSnapshot('vantrel', site.project, freshDir(`${name}-native`));
  const g = native.geometry;
  await withPage(site.url, { viewport: { width: 1280, height: 960 } }, async (page) => {
    const shot = await still(page, 'nav.vantrel20', '.v20-loading');
    // The items stand where the native preview put them.
    const boxes = await page.evaluate(() => {
      const nav = document.querySelector('nav.vantrel20').getBoundingClientRect();
      return [...document.querySelectorAll('.v20-item')].map((e) => {
        const r = e.getBoundingClientRect();
        return [r.left - nav.left, r.top - nav.top, r.right - nav.left, r.bottom - nav.top].map(Math.round);
      });
    });
    assert.deepEqual(boxes, g.items, `${name}: item boxes`);
    const bar = await page.$eval('nav.vantrel20', (nav) => {
      const b = nav.querySelector('.v20-bar');
      return b && !b.hidden ? [b.offsetLeft, b.offsetTop, b.offsetLeft + b.offsetWidth, b.offsetTop + b.offsetHeight] : null;
    });
    assert.deepEqual(bar, g.scrollBar, `${name}: scroll bar`);
    const own = await browserGeometry(page, 'nav.vantrel20', '.v20-text', 'none');
    const masks = [...g.text.filter(Boolean), ...own.text].map((r) => grow(r, TEXT_MARGIN));
    assertAgree(t, `vantrel-${name}`, native.png, shot, masks);
  });
}

test('vantrel: the runtime draws every template as the native preview does, outside text', { skip: vantrelSkip }, async (t) => {
  for (const f of templates('vantrel')) {
    const name = path.basename(f, '.vtp');
    await t.test(name, (t) => vantrelAgrees(t, name, allShown(fs.readFileSync(share('vantrel', 'templates', f), 'latin1'))));
  }
});

test('vantrel: a menu taller than its box brings the same scroll bar in both', { skip: vantrelSkip }, async (t) => {
  const base = fs.readFileSync(share('vantrel', 'templates', 'ocean_glide.vtp'), 'latin1');
  // Left and right of the box, with colours of its own for every part.
  for (const [align, name] of [['1', 'bar-right'], ['0', 'bar-left']]) {
    const text = editVantrel(allShown(base), { app: { 61: '150', 49: align, 50: '203040', 51: 'C08040', 52: '40A040', 53: 'A04040', 54: 'FFFF00', 55: '00FFFF', 56: '16' } });
    await t.test(name, (t) => vantrelAgrees(t, name, text));
  }
});

// With `steps`, the first scroll button is pressed that many times first (under reduced motion the
// box steps at once), and the native preview shows the item the box then shows.
async function osmerinAgrees(t, name, text, steps = 0) {
  const site = publishWithRuntime('osmerin', text, name);
  // Under reduced motion the box stands still on its first item.
  await withPage(site.url, { viewport: { width: 1280, height: 960 }, media: { reducedMotion: 'reduce' } }, async (page) => {
    await page.waitForFunction(() => !document.querySelector('.os-loading'));
    for (let i = 0; i < steps; i++) await page.locator('.osmeral .os-btn').first().click();
    const item = await page.evaluate(() => document.querySelector('.osmeral').osmeral.position());
    const n = await page.locator('.osmeral .os-item').count();
    assert.ok([steps % n, (n - steps % n) % n].includes(item), `${name}: item ${item} after ${steps} steps`);
    const shot = await still(page, '.osmeral', '.os-loading');
    const native = nativeSnapshot('osmerin', site.project, freshDir(`${name}-native`), item);
    const g = native.geometry;
    const buttons = await page.$$eval('.osmeral .os-btn', (b) => b.map((e) => [e.offsetLeft, e.offsetTop, e.offsetLeft + e.offsetWidth, e.offsetTop + e.offsetHeight]));
    assert.deepEqual(buttons, g.buttons, `${name}: scroll buttons`);
    if (g.kind === 'image') {
      const img = await page.$eval('.osmeral .os-item[aria-hidden="false"] img', (e) => {
        const box = document.querySelector('.osmeral').getBoundingClientRect();
        const r = e.getBoundingClientRect();
        return [r.left - box.left, r.top - box.top, r.right - box.left, r.bottom - box.top].map(Math.round);
      });
      assert.deepEqual(img, g.content, `${name}: picture`);
    }
    // The pause control is the runtime's own; the native preview has none.
    const own = await browserGeometry(page, '.osmeral', '.os-item[aria-hidden="false"]', '.os-play');
    const masks = [...(g.text ? [g.text] : []), ...own.text].map((r) => grow(r, TEXT_MARGIN)).concat(own.own.map((r) => grow(r, 1)));
    assertAgree(t, `osmerin-${name}`, native.png, shot, masks);
  });
}

test('osmerin: the runtime shows every template\'s first item as the native preview does, outside text', { skip: osmerinSkip }, async (t) => {
  for (const f of templates('osmerin')) {
    const name = path.basename(f, '.osn');
    await t.test(name, (t) => osmerinAgrees(t, name, fs.readFileSync(share('osmerin', 'templates', f))));
  }
});

// The loading screen: pictures that never arrive keep it up in the browser.
async function vantrelLoadingAgrees(t, name, site) {
  const native = nativeSnapshot('vantrel', site.project, freshDir(`${name}-loading-native`), 'loading');
  const s = await open(null, { viewport: { width: 1280, height: 960 } });
  try {
    await s.page.route(/\.(gif|jpe?g)$/i, () => {});
    await s.page.goto(site.url, { waitUntil: 'domcontentloaded' });
    await s.page.waitForSelector('.v20-loading');
    await s.page.evaluate(() => document.fonts.ready);
    const shot = PNG.sync.read(await s.page.locator('nav.vantrel20').screenshot({ animations: 'disabled', caret: 'hide', scale: 'css' }));
    const own = await browserGeometry(s.page, 'nav.vantrel20', '.v20-loading', 'none');
    const masks = [...native.geometry.text.filter(Boolean), ...own.text].map((r) => grow(r, TEXT_MARGIN));
    assertAgree(t, `vantrel-${name}-loading`, native.png, shot, masks);
  } finally {
    await s.close();
  }
}

test('vantrel: the loading screen of every template with pictures agrees too', { skip: vantrelSkip }, async (t) => {
  for (const f of templates('vantrel')) {
    const name = path.basename(f, '.vtp');
    const site = publishWithRuntime('vantrel', fs.readFileSync(share('vantrel', 'templates', f), 'latin1'), `${name}-loading`);
    if (!/\.(gif|jpe?g)#/i.test(site.html)) continue;
    await t.test(name, (t) => vantrelLoadingAgrees(t, name, site));
  }
});

test('osmerin: pictures at the left and at the right, and sideways arrows, agree too', { skip: osmerinSkip }, async (t) => {
  const base = fs.readFileSync(share('osmerin', 'templates', 'image_news.osn'), 'latin1');
  for (const [align, name] of [['0', 'picture-left'], ['2', 'picture-right']]) {
    await t.test(name, (t) => osmerinAgrees(t, name, editOsmerin(base, { app: { 4: '2' }, item: () => ({ 10: align }) })));
  }
});

test('osmerin: every item of the mixed template, stepped to with the scroll button, agrees too', { skip: osmerinSkip }, async (t) => {
  const base = fs.readFileSync(share('osmerin', 'templates', 'mixed_news.osn'));
  for (let steps = 1; steps < 5; steps++) await t.test(`step ${steps}`, (t) => osmerinAgrees(t, `mixed_news-${steps}`, base, steps));
});

test('osmerin: raised and lowered frames agree too', { skip: osmerinSkip }, async (t) => {
  const base = fs.readFileSync(share('osmerin', 'templates', 'text_news.osn'), 'latin1');
  for (const [style, width] of [['1', '3'], ['2', '4'], ['1', '0']]) {
    const name = `frame-${style}-${width}`;
    await t.test(name, (t) => osmerinAgrees(t, name, editOsmerin(base, { app: { 17: width, 19: style } })));
  }
});
