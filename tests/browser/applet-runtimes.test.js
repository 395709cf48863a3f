'use strict';
// The browser script runtimes of the two applet programs: vantrel20.js draws the gliding menu and
// osmeral.js runs the news box in place of the applets, from the pages the programs publish.
const { test, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { skipReason } = require('./lib/programs');
const { withPage, closeBrowser } = require('./lib/browser');
const { share, templates, publishWithRuntime, params, packed, editVantrel, editOsmerin } = require('./lib/applets');

after(closeBrowser);
// Where the layout rules put the items that show at first: stacked in list order, IX an indent
// and IY the gap above, inside the applet border; a group shows when its items start visible.
function expectedLayout(html) {
  const p = params(html);
  const app = packed(p.app);
  const bw = +app[8];
  const items = [];
  for (let k = 0; p['i' + k] !== undefined; k++) items.push(packed(p['i' + k]));
  const shown = [];
  const open = [];
  let y = bw;
  items.forEach((f, k) => {
    const level = +f[7];
    open.length = level;
    const next = items[k + 1];
    const visible = open.every(Boolean);
    if (visible) {
      const top = y + +f[11];
      shown.push({ k, left: +f[10] + bw, top, width: +f[12], height: +f[13] });
      y = top + +f[13];
    }
    open[level] = visible && next && +next[7] > level ? next[8] === '1' : false;
  });
  return { app, bw, items, shown, bottom: y };
}

async function itemBoxes(page) {
  return page.evaluate(() => {
    const nav = document.querySelector('nav.vantrel20').getBoundingClientRect();
    return [...document.querySelectorAll('.v20-item')].map((e) => {
      const r = e.getBoundingClientRect();
      const shown = getComputedStyle(e).visibility !== 'hidden' && e.offsetParent !== null;
      return { shown, left: Math.round(r.left - nav.left), top: Math.round(r.top - nav.top), width: Math.round(r.width), height: Math.round(r.height) };
    });
  });
}

const vantrelSkip = skipReason('vantrel');
const osmerinSkip = skipReason('osmerin');

test('vantrel: every template with the runtime lays its items out by the rules, as a navigation landmark', { skip: vantrelSkip }, async () => {
  for (const f of templates('vantrel')) {
    const site = publishWithRuntime('vantrel', fs.readFileSync(share('vantrel', 'templates', f)), path.basename(f, '.vtp'));
    assert.match(site.html, /<\/applet>\r\n<script src="vantrel20.js"><\/script>\r\n/);
    assert.ok(fs.existsSync(path.join(site.dir, 'vantrel20.js')));
    const want = expectedLayout(site.html);
    await withPage(site.url, async (page) => {
      await page.waitForFunction(() => !document.querySelector('.v20-loading'));
      assert.equal(await page.locator('applet').count(), 0, f);
      assert.equal(await page.getByRole('navigation').count(), 1, f);
      const box = await page.locator('nav.vantrel20').boundingBox();
      assert.deepEqual([box.width, box.height], [+site.html.match(/width="(\d+)"/)[1], +site.html.match(/height="(\d+)"/)[1]], f);
      const boxes = await itemBoxes(page);
      assert.equal(boxes.length, want.items.length, f);
      const shown = boxes.map((b, k) => ({ k, ...b })).filter((b) => b.shown && b.top < box.height);
      const expected = want.shown.filter((s) => s.top < box.height);
      assert.deepEqual(shown.map(({ k, left, top, width, height }) => ({ k, left, top, width, height })), expected, f);
      // Each item shows its normal look's picture, and the box its background picture.
      const looks = await page.$$eval('.v20-item', (e) => e.map((x) => getComputedStyle(x).backgroundImage));
      want.items.forEach((it, k) => {
        const picture = packed(params(site.html)['is' + it[9]])[8];
        if (picture) assert.match(looks[k], new RegExp('url\\(".*/' + picture.replace('.', '\\.') + '"\\)'), `${f}: item ${k}`);
      });
      if (want.app[0]) assert.match(await page.$eval('nav.vantrel20', (e) => getComputedStyle(e).backgroundImage), new RegExp(want.app[0]));
      // Parents are disclosure buttons whose expanded state follows the initial visibility.
      const buttons = await page.$$eval('nav button[aria-expanded]', (b) => b.map((x) => x.getAttribute('aria-expanded')));
      assert.ok(buttons.length >= 2, f);
      assert.ok(buttons.includes('false'), `${f}: some sub-menu starts closed`);
      // Captions are the items' accessible names.
      assert.equal(await page.getByRole('link', { name: packed(params(site.html).i0)[0] }).count() +
        await page.getByRole('button', { name: packed(params(site.html).i0)[0] }).count(), 1, f);
    });
  }
});

test('vantrel: a sub-menu glides open at the stored speed; only one stays open; keyboard opens and closes', { skip: vantrelSkip }, async () => {
  const base = fs.readFileSync(share('vantrel', 'templates', 'ocean_glide.vtp'), 'latin1');
  // Slow glide, one open at a time, every group closed at first.
  const text = editVantrel(base, { app: { 13: '1', 14: '1', 15: '2', 16: '3', 59: '1' }, item: (n, it) => (it[67] !== '0' ? { 68: '0' } : {}) });
  const site = publishWithRuntime('vantrel', text, 'glide');
  const want = expectedLayout(site.html);
  assert.ok(want.shown.every((s) => +want.items[s.k][7] === 0), 'only top-level items at first');
  await withPage(site.url, async (page) => {
    const parents = page.locator('nav.vantrel20 > .v20-view > ul > li > button[aria-expanded]');
    assert.ok(await parents.count() >= 2);
    const first = parents.nth(0);
    const firstIndex = await first.evaluate((b) => [...document.querySelectorAll('.v20-item')].indexOf(b));
    const after = want.shown.find((s) => s.k > firstIndex && +want.items[s.k][7] === 0);
    const topOf = () => page.evaluate((k) => Math.round(document.querySelectorAll('.v20-item')[k].getBoundingClientRect().top -
      document.querySelector('nav.vantrel20').getBoundingClientRect().top), after.k);
    assert.equal(await topOf(), after.top);
    await first.click();
    assert.equal(await first.getAttribute('aria-expanded'), 'true');
    const samples = [];
    for (let i = 0; i < 6; i++) { samples.push(await topOf()); await page.waitForTimeout(60); }
    // The item below glides down a little at a time: not there at once, never back.
    assert.ok(samples[0] < samples[5], `glides: ${samples}`);
    for (let i = 1; i < samples.length; i++) assert.ok(samples[i] >= samples[i - 1], `${samples}`);
    const sub = await page.locator('#' + await first.getAttribute('aria-controls') + ' > li > .v20-item');
    const subHeight = await sub.evaluateAll((e) => e.length);
    assert.ok(subHeight >= 1);
    await page.waitForFunction(([k, top]) => Math.round(document.querySelectorAll('.v20-item')[k].getBoundingClientRect().top -
      document.querySelector('nav.vantrel20').getBoundingClientRect().top) > top, [after.k, samples[5]]);
    // The one-open rule: opening the second closes the first.
    const second = parents.nth(1);
    await second.click();
    assert.equal(await second.getAttribute('aria-expanded'), 'true');
    assert.equal(await first.getAttribute('aria-expanded'), 'false');
    await page.waitForFunction((id) => document.getElementById(id).querySelectorAll('li:not([hidden])').length === 0,
      await first.getAttribute('aria-controls'));
    // Keyboard: Right opens, Down moves into the group, Left on a parent closes it.
    await first.focus();
    await page.keyboard.press('ArrowRight');
    assert.equal(await first.getAttribute('aria-expanded'), 'true');
    await page.keyboard.press('ArrowLeft');
    assert.equal(await first.getAttribute('aria-expanded'), 'false');
    await page.keyboard.press('Enter');
    assert.equal(await first.getAttribute('aria-expanded'), 'true');
  });
});

test('vantrel: items that do not fit bring the coloured scroll bar, whose buttons move the items', { skip: vantrelSkip }, async () => {
  const base = fs.readFileSync(share('vantrel', 'templates', 'ocean_glide.vtp'), 'latin1');
  const site = publishWithRuntime('vantrel', editVantrel(base, { app: { 61: '120', 58: '0', 49: '1', 50: '00FF00' } }), 'tall');
  const want = expectedLayout(site.html);
  assert.ok(want.bottom > 120 - want.bw);
  await withPage(site.url, async (page) => {
    const bar = page.locator('.v20-bar');
    assert.ok(await bar.isVisible());
    const geo = await bar.evaluate((b) => ({ left: b.offsetLeft, width: b.offsetWidth, top: b.offsetTop, height: b.offsetHeight, bg: getComputedStyle(b).backgroundColor }));
    assert.deepEqual(geo, { left: 190 - want.bw - +want.app[56], width: +want.app[56], top: want.bw, height: 120 - 2 * want.bw, bg: 'rgb(0, 255, 0)' });
    const firstTop = () => page.evaluate(() => document.querySelector('.v20-item').getBoundingClientRect().top - document.querySelector('nav.vantrel20').getBoundingClientRect().top);
    const before = await firstTop();
    const down = bar.locator('.v20-btn').nth(1);
    await down.hover();
    await page.mouse.down();
    await page.waitForTimeout(200);
    await page.mouse.up();
    assert.ok(await firstTop() < before, 'scrolled');
    // Focus on an item out of view scrolls it into view.
    const last = page.locator('.v20-item').filter({ visible: true }).last();
    await last.focus();
    const r = await last.evaluate((e) => { const n = document.querySelector('nav.vantrel20').getBoundingClientRect(); const b = e.getBoundingClientRect(); return [b.top - n.top, b.bottom - n.top]; });
    assert.ok(r[0] >= 0 && r[1] <= 120, `${r}`);
  });
  // With automatic scrolling, resting the pointer on a button scrolls.
  const auto = publishWithRuntime('vantrel', editVantrel(base, { app: { 61: '120', 58: '1' } }), 'auto');
  await withPage(auto.url, async (page) => {
    const top = () => page.evaluate(() => document.querySelector('.v20-item').getBoundingClientRect().top);
    const before = await top();
    await page.locator('.v20-bar .v20-btn').nth(1).hover();
    await page.waitForTimeout(200);
    assert.ok(await top() < before, 'scrolls on hover');
  });
  // Without the need the bar stays away.
  const fits = publishWithRuntime('vantrel', base, 'fits');
  await withPage(fits.url, async (page) => assert.equal(await page.locator('.v20-bar').count(), 0));
});

test('vantrel: a parameters file over file:// gives one clear line in the box', { skip: vantrelSkip }, async () => {
  const base = fs.readFileSync(share('vantrel', 'templates', 'ocean_glide.vtp'), 'latin1');
  const site = publishWithRuntime('vantrel', editVantrel(base, { app: { 62: '1' } }), 'params');
  assert.match(site.html, /name="paramsrc"/);
  await withPage(site.url, async (page) => {
    const note = page.locator('.v20-note');
    assert.match(await note.textContent(), /vantrel2_params_file.*web server/);
    assert.deepEqual(await note.evaluate((e) => [e.offsetWidth, e.offsetHeight]), [190, 320]);
  });
});

const HOSTILE = '<img src=x onerror="window.__pwned=1"> & <b>"bold"</b> \'x\' </script>';

test('vantrel: hostile text in every field stays text', { skip: vantrelSkip }, async () => {
  const base = fs.readFileSync(share('vantrel', 'templates', 'paper_pictures.vtp'), 'latin1');
  const text = editVantrel(base, {
    // Picture names that are not bare file names are never fetched.
    app: { 0: '../x" onerror="window.__pwned=1.gif', 36: HOSTILE, 37: '1', 46: HOSTILE, 47: '1' },
    item: () => ({ 8: '../"><img src=x onerror=window.__pwned=1>.gif', 60: HOSTILE, 62: HOSTILE, 63: HOSTILE }),
  });
  const site = publishWithRuntime('vantrel', text, 'hostile');
  await withPage(site.url, async (page) => {
    await page.waitForTimeout(300);
    assert.equal(await page.evaluate(() => window.__pwned), undefined);
    assert.equal(await page.locator('nav img, nav b, nav script').count(), 0);
    const caption = await page.locator('.v20-item .v20-text').first().textContent();
    assert.equal(caption.replace(/\n/g, ''), HOSTILE);
    const described = await page.locator('.v20-item').first().getAttribute('title');
    assert.equal(described, HOSTILE);
  });
});

const position = (page) => page.evaluate(() => document.querySelector('.osmeral').osmeral.position());

test('osmerin: every template with the runtime shows its news box; text files need a web server', { skip: osmerinSkip }, async () => {
  for (const f of templates('osmerin')) {
    const site = publishWithRuntime('osmerin', fs.readFileSync(share('osmerin', 'templates', f)), path.basename(f, '.osn'));
    assert.match(site.html, /<\/applet>\r\n<script src="osmeral.js"><\/script>\r\n<\/HTML>\r\n$/);
    const p = params(site.html);
    await withPage(site.url, async (page) => {
      await page.waitForFunction(() => !document.querySelector('.os-loading'));
      const box = page.getByRole('region', { name: 'News' });
      assert.equal(await box.count(), 1, f);
      assert.deepEqual(await box.evaluate((e) => [e.offsetWidth, e.offsetHeight]),
        [+site.html.match(/width="(\d+)"/)[1], +site.html.match(/height="(\d+)"/)[1]], f);
      const items = page.locator('.os-item');
      assert.equal(await items.count(), Object.keys(p).filter((k) => /^\d+$/.test(k)).length, f);
      // The first item shows, whole, inside the frame.
      const first = await items.first().evaluate((e) => [getComputedStyle(e).visibility, e.getAttribute('aria-hidden')]);
      assert.deepEqual(first, ['visible', 'false'], f);
      for (let k = 0; p[k] !== undefined; k++) {
        const v = p[k].split('|');
        if (v[13] === '2') assert.match(await items.nth(k).textContent(), /web server/, `${f}: item ${k}`);
        if (v[13] === '0') assert.equal(await items.nth(k).textContent(), v.slice(14, -1).join('|').split('*#$@%').filter((l, i, a) => l || i < a.length - 1).join('\n'));
        if (v[13] === '1') assert.equal(await items.nth(k).locator('img').getAttribute('src'), v[14]);
      }
      const show = p.app.split('|')[23] === '1';
      assert.equal(await page.locator('.os-btn').count(), show ? 2 : 0, f);
      assert.equal(await page.getByRole('button', { name: 'Pause news' }).count(), 1, f);
      // The pause control covers no scroll button and stays inside the box.
      const overlaps = await page.evaluate(() => {
        const r = (e) => e.getBoundingClientRect();
        const p = r(document.querySelector('.os-play')), b = r(document.querySelector('.osmeral'));
        const inside = p.left >= b.left && p.top >= b.top && p.right <= b.right && p.bottom <= b.bottom;
        return [inside, [...document.querySelectorAll('.os-btn')].map(r)
          .filter((q) => p.left < q.right && q.left < p.right && p.top < q.bottom && q.top < p.bottom).length];
      });
      assert.deepEqual(overlaps, [true, 0], f);
    });
  }
});

test('osmerin: the box slides, pauses on hover and on focus, and its buttons scroll', { skip: osmerinSkip }, async () => {
  const base = fs.readFileSync(share('osmerin', 'templates', 'mixed_news.osn'), 'latin1');
  const site = publishWithRuntime('osmerin', editOsmerin(base, { app: { 2: '20', 3: '0', 4: '0' } }), 'moving');
  await withPage(site.url, async (page) => {
    await page.mouse.move(600, 500);
    const a = await position(page);
    await page.waitForTimeout(400);
    const b = await position(page);
    assert.notEqual(a, b, 'slides');
    // Moving up: the next item comes in from below.
    const second = await page.locator('.os-item').nth(1).evaluate((e) => e.style.transform);
    assert.match(second, /translateY/);
    await page.locator('.osmeral').hover();
    const c = await position(page);
    await page.waitForTimeout(400);
    assert.equal(await position(page), c, 'paused on hover');
    await page.mouse.move(600, 500);
    await page.waitForTimeout(200);
    assert.notEqual(await position(page), c, 'moves again');
    await page.getByRole('button', { name: 'Pause news' }).focus();
    const d = await position(page);
    await page.waitForTimeout(400);
    assert.equal(await position(page), d, 'paused on focus');
    // The pause control stops it for good; then the scroll buttons step item by item.
    await page.getByRole('button', { name: 'Pause news' }).click();
    await page.mouse.move(600, 500);
    await page.locator('body').focus();
    await page.waitForTimeout(300);
    const e = await position(page);
    await page.waitForTimeout(300);
    assert.equal(await position(page), e, 'stopped by the control');
    await page.getByRole('button', { name: 'Play news' }).focus();
    await page.getByRole('button', { name: 'Scroll up' }).click();
    await page.waitForFunction((from) => document.querySelector('.osmeral').osmeral.position() === (Math.round(from) + 1) % 5, e);
    await page.getByRole('button', { name: 'Scroll down' }).click();
    await page.waitForFunction((from) => document.querySelector('.osmeral').osmeral.position() === Math.round(from) % 5, e);
  });
});

test('osmerin: no motion under reduced motion; the buttons still step', { skip: osmerinSkip }, async () => {
  const base = fs.readFileSync(share('osmerin', 'templates', 'mixed_news.osn'), 'latin1');
  const site = publishWithRuntime('osmerin', editOsmerin(base, { app: { 2: '20', 3: '0', 4: '2' } }), 'still');
  await withPage(site.url, { media: { reducedMotion: 'reduce' } }, async (page) => {
    await page.waitForTimeout(400);
    assert.equal(await position(page), 0);
    assert.equal(await page.getByRole('button', { name: 'Play news' }).count(), 1);
    await page.getByRole('button', { name: 'Scroll left' }).click();
    assert.equal(await position(page), 1);
    assert.match(await page.locator('.os-item').nth(1).evaluate((e) => e.style.transform), /translateX\(0px\)/);
  });
});

test('osmerin: hostile text in every field stays text', { skip: osmerinSkip }, async () => {
  const base = fs.readFileSync(share('osmerin', 'templates', 'text_news.osn'), 'latin1');
  const text = editOsmerin(base, {
    app: { 22: HOSTILE },
    item: (n) => ({ 0: n ? 'x" onmouseover="window.__pwned=1' : '', 1: HOSTILE, 2: HOSTILE, 13: '0', 14: HOSTILE + '*#$@%second | line', 15: HOSTILE + '*#$@%second | line' }),
  });
  const site = publishWithRuntime('osmerin', text, 'hostile');
  await withPage(site.url, async (page) => {
    await page.waitForTimeout(200);
    assert.equal(await page.evaluate(() => window.__pwned), undefined);
    assert.equal(await page.locator('.osmeral img, .osmeral b, .osmeral script').count(), 0);
    assert.equal(await page.locator('.os-item').first().textContent(), HOSTILE + '\nsecond | line');
    const link = page.locator('.os-item a').first();
    assert.equal(await link.getAttribute('target'), HOSTILE);
    assert.equal(await link.evaluate((e) => document.getElementById(e.getAttribute('aria-describedby')).textContent), HOSTILE);
  });
});

test('both samples load their runtime and draw, in forced colours too', { skip: vantrelSkip || osmerinSkip }, async () => {
  const { buildDir } = require('./lib/programs');
  for (const [product, selector, sample] of [['vantrel', 'nav.vantrel20 .v20-item', 'general_menu_golden_theme.html'],
    ['osmerin', '.osmeral .os-btn', 'index.html']]) {
    const page = path.join(buildDir(), 'share', product, 'samples', sample);
    assert.ok(fs.existsSync(page), page);
    await withPage('file://' + page, async (p) => assert.ok(await p.locator(selector).count() >= 2, product));
    // Forced colours: the items and buttons keep a visible edge in the system colours.
    await withPage('file://' + page, { media: { forcedColors: 'active' } }, async (p) => {
      const edge = await p.locator(selector).first().evaluate((e) => getComputedStyle(e).borderTopStyle);
      assert.equal(edge, 'solid', product);
    });
  }
});
