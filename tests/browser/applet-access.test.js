'use strict';
// The applet runtimes for everyone: two boxes on one page, names for picture links, focus rings
// that stand out, reduced motion, Escape and closed groups, and style rules kept to the box.
const { test, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { skipReason } = require('./lib/programs');
const { withPage, closeBrowser } = require('./lib/browser');
const { contrast } = require('./lib/contrast');
const { share, templates, publishWithRuntime, params, packed, editVantrel, editOsmerin } = require('./lib/applets');

after(closeBrowser);
const vantrelSkip = skipReason('vantrel');
const osmerinSkip = skipReason('osmerin');
const AXE = fs.readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8');

// The page with its applet and script pasted twice, as an author puts two boxes on one page;
// the first applet may carry a name of its own.
function twice(site, name) {
  const snippet = site.html.match(/<applet[\s\S]*<\/applet>\r\n<script src="[^"]+"><\/script>\r\n/)[0];
  const first = name ? snippet.replace('<applet ', `<applet name="${name}" `) : snippet;
  const page = path.join(site.dir, 'two.html');
  fs.writeFileSync(page, `<!DOCTYPE html><html lang="en"><title>two</title>\r\n${first}<p>between</p>\r\n${snippet}</html>\r\n`, 'latin1');
  return 'file://' + page;
}

// Every id once; every reference of a box to an id inside the same box.
async function idsAndReferences(page, box) {
  return page.evaluate((box) => {
    const ids = [...document.querySelectorAll('[id]')].map((e) => e.id);
    const dup = ids.filter((id, i) => ids.indexOf(id) !== i);
    const stray = [];
    for (const e of document.querySelectorAll('[aria-controls],[aria-describedby]')) {
      for (const a of ['aria-controls', 'aria-describedby']) {
        const t = e.getAttribute(a) && document.getElementById(e.getAttribute(a));
        if (e.hasAttribute(a) && (!t || t.closest(box) !== e.closest(box))) stray.push(`${a}=${e.getAttribute(a)}`);
      }
    }
    return { dup, stray };
  }, box);
}

test('two menus and two news boxes on one page: ids of their own, references inside each, names told apart', { skip: vantrelSkip || osmerinSkip }, async () => {
  const menu = publishWithRuntime('vantrel', fs.readFileSync(share('vantrel', 'templates', 'ocean_glide.vtp')), 'menu');
  const news = publishWithRuntime('osmerin', editOsmerin(fs.readFileSync(share('osmerin', 'templates', 'text_news.osn'), 'latin1'),
    { item: (n) => ({ 0: `n${n}.html`, 2: `About item ${n}` }) }), 'news');
  for (const [site, box, role, word] of [[menu, 'nav.vantrel20', 'navigation', 'Menu'], [news, '.osmeral', 'region', 'News']]) {
    await withPage(twice(site), async (page) => {
      assert.equal(await page.locator(box).count(), 2);
      assert.deepEqual(await idsAndReferences(page, box), { dup: [], stray: [] }, word);
      const names = await page.getByRole(role).evaluateAll((e) => e.map((x) => x.getAttribute('aria-label')));
      assert.deepEqual(names, [`${word} 1`, `${word} 2`]);
    });
    await withPage(twice(site, 'Site sections'), async (page) => {
      const names = await page.getByRole(role).evaluateAll((e) => e.map((x) => x.getAttribute('aria-label')));
      assert.deepEqual(names, ['Site sections', word]);
    });
  }
  // The second menu's buttons open its own lists; the second box's links carry their own descriptions.
  await withPage(twice(menu), async (page) => {
    const second = page.getByRole('navigation', { name: 'Menu 2' });
    const button = second.locator('button[aria-expanded="false"]').first();
    await button.click();
    assert.equal(await second.locator('#' + await button.getAttribute('aria-controls')).count(), 1);
  });
  await withPage(twice(news), { media: { reducedMotion: 'reduce' } }, async (page) => {
    const link = page.getByRole('region', { name: 'News 2' }).locator('a').first();
    assert.equal(await link.evaluate((e) => document.getElementById(e.getAttribute('aria-describedby')).closest('.osmeral') === e.closest('.osmeral')), true);
  });
});

test('osmerin: a picture link without a status text is named by the picture\'s file name', { skip: osmerinSkip }, async () => {
  const base = fs.readFileSync(share('osmerin', 'templates', 'mixed_news.osn'), 'latin1');
  const site = publishWithRuntime('osmerin', editOsmerin(base, { item: (n) => ({ 0: `n${n}.html`, 2: n === 3 ? 'Concert tonight' : '' }) }), 'pictures');
  const p = params(site.html);
  const pictures = Object.keys(p).filter((k) => /^\d+$/.test(k)).map((k) => p[k].split('|')).filter((v) => v[13] === '1');
  assert.ok(pictures.length >= 2);
  await withPage(site.url, { media: { reducedMotion: 'reduce' } }, async (page) => {
    await page.waitForFunction(() => !document.querySelector('.os-loading'));
    const names = await page.locator('.os-item a img').evaluateAll((e) => e.map((x) => x.alt));
    assert.deepEqual(names, pictures.map((v) => v[2] || v[14].replace(/\.[^.]*$/, '')));
    assert.ok(names.every(Boolean));
    // Every link has a name, shown or not.
    await page.addScriptTag({ content: AXE });
    await page.$$eval('.os-item', (e) => e.forEach((x) => { x.hidden = false; x.inert = false; x.removeAttribute('aria-hidden'); }));
    const r = await page.evaluate(() => window.axe.run({ include: [['.osmeral']] }, { runOnly: { type: 'rule', values: ['link-name', 'image-alt'] } }));
    assert.deepEqual(r.violations.map((v) => v.id), []);
  });
});

// Colours of a computed colour value, as six hexadecimal digits each.
const hexes = (css) => [...String(css).matchAll(/rgba?\((\d+), (\d+), (\d+)/g)].map((m) => m.slice(1, 4).map((v) => (+v).toString(16).padStart(2, '0')).join('').toUpperCase());

test('vantrel: the focus ring stands out 3:1 against every item\'s normal, mouse-over and clicked backgrounds', { skip: vantrelSkip }, async () => {
  const low = [];
  for (const f of templates('vantrel')) {
    const site = publishWithRuntime('vantrel', fs.readFileSync(share('vantrel', 'templates', f)), path.basename(f, '.vtp'));
    const p = params(site.html);
    await withPage(site.url, async (page) => {
      await page.keyboard.press('Tab');
      const items = page.locator('nav .v20-item:is(a,button)').filter({ visible: true });
      for (let i = 0; i < await items.count(); i++) {
        const item = items.nth(i);
        await item.focus();
        const k = await item.evaluate((e) => [...document.querySelectorAll('.v20-item')].indexOf(e));
        const st = packed(p['is' + packed(p['i' + k])[9]]);
        const ring = await item.evaluate((e) => { const a = getComputedStyle(e, '::after'); return { style: a.borderTopStyle, width: a.borderTopWidth, colour: a.borderTopColor, inner: a.boxShadow }; });
        if (ring.style !== 'solid' || parseFloat(ring.width) < 2) { low.push(`${f} item ${k}: no ring drawn (${JSON.stringify(ring)})`); continue; }
        const colours = [...hexes(ring.colour), ...hexes(ring.inner)];
        for (const s of [0, 1, 2]) {
          const look = st.slice(s * 20, s * 20 + 20);
          const bgs = +look[15] > 0 && +look[15] < 5 ? [look[13], look[14]] : [look[13]];
          for (const bg of bgs) {
            const best = Math.max(...colours.map((c) => contrast(c, bg)));
            if (best < 3) low.push(`${f} item ${k} look ${s}: ring ${colours} on ${bg} is ${best.toFixed(2)}:1`);
          }
        }
      }
    });
  }
  assert.deepEqual(low, []);
});

test('osmerin: the focus ring stands out 3:1 against the box and the buttons', { skip: osmerinSkip }, async () => {
  const low = [];
  for (const f of templates('osmerin')) {
    const site = publishWithRuntime('osmerin', editOsmerin(fs.readFileSync(share('osmerin', 'templates', f), 'latin1'),
      { item: () => ({ 0: 'n.html' }) }), path.basename(f, '.osn'));
    const app = params(site.html).app.split('|');
    await withPage(site.url, { media: { reducedMotion: 'reduce' } }, async (page) => {
      await page.waitForFunction(() => !document.querySelector('.os-loading'));
      await page.keyboard.press('Tab');
      for (const [sel, bg] of [['.os-item[aria-hidden="false"] a', app[1]], ['.os-btn', app[9]], ['.os-play', 'FFFFFF']]) {
        if (!(await page.locator(sel).count())) continue;
        await page.locator(sel).first().focus();
        const o = await page.locator(sel).first().evaluate((e) => { const s = getComputedStyle(e); return [s.outlineStyle, s.outlineColor]; });
        const r = o[0] === 'solid' ? contrast(hexes(o[1])[0], bg) : 0;
        if (r < 3) low.push(`${f} ${sel}: ${o} on ${bg} is ${r.toFixed(2)}:1`);
      }
    });
  }
  assert.deepEqual(low, []);
});

// The top of the item k, inside the menu.
const topOf = (page, k) => page.evaluate((k) => Math.round(document.querySelectorAll('.v20-item')[k].getBoundingClientRect().top -
  document.querySelector('nav.vantrel20').getBoundingClientRect().top), k);

test('vantrel: under reduced motion a group opens and closes at once', { skip: vantrelSkip }, async () => {
  const base = fs.readFileSync(share('vantrel', 'templates', 'ocean_glide.vtp'), 'latin1');
  const site = publishWithRuntime('vantrel', editVantrel(base, { app: { 13: '1', 14: '1', 15: '1', 16: '1' }, item: (n, it) => (it[67] !== '0' ? { 68: '0' } : {}) }), 'still');
  await withPage(site.url, { media: { reducedMotion: 'reduce' } }, async (page) => {
    const first = page.locator('nav button[aria-expanded]').first();
    const k = await first.evaluate((b) => [...document.querySelectorAll('.v20-item')].indexOf(b));
    const next = await page.evaluate((k) => [...document.querySelectorAll('nav > .v20-view > ul > li > .v20-item')].map((e) => [...document.querySelectorAll('.v20-item')].indexOf(e)).find((i) => i > k), k);
    const before = await topOf(page, next);
    await first.click();
    const opened = await topOf(page, next);
    assert.ok(opened > before, `open at once: ${before} -> ${opened}`);
    await page.waitForTimeout(100);
    assert.equal(await topOf(page, next), opened, 'no glide after');
    await first.click();
    assert.equal(await topOf(page, next), before, 'closed at once');
  });
});

test('vantrel: Escape on an open group\'s own button closes it; closed groups leave the accessibility tree', { skip: vantrelSkip }, async () => {
  for (const f of templates('vantrel')) {
    const site = publishWithRuntime('vantrel', fs.readFileSync(share('vantrel', 'templates', f)), path.basename(f, '.vtp'));
    await withPage(site.url, { media: { reducedMotion: 'reduce' } }, async (page) => {
      // Closed groups: hidden lists, no empty list in the tree.
      const closedShown = await page.$$eval('nav button[aria-expanded="false"]', (b) => b.map((x) => document.getElementById(x.getAttribute('aria-controls')))
        .filter((ul) => !ul.hidden).map((ul) => ul.id));
      assert.deepEqual(closedShown, [], f);
      const top = page.locator('nav.vantrel20 > .v20-view > ul > li > button[aria-expanded]').first();
      await top.focus();
      if ((await top.getAttribute('aria-expanded')) === 'false') await page.keyboard.press('Enter');
      assert.equal(await top.getAttribute('aria-expanded'), 'true', f);
      await page.keyboard.press('Escape');
      assert.equal(await top.getAttribute('aria-expanded'), 'false', `${f}: Escape on its own button`);
      assert.equal(await page.evaluate(() => document.activeElement.getAttribute('aria-expanded')), 'false', `${f}: focus stays`);
      assert.equal(await page.locator('#' + await top.getAttribute('aria-controls')).evaluate((e) => e.hidden), true, f);
      // From inside the group Escape still closes it and goes back to its button.
      await page.keyboard.press('ArrowRight');
      await page.keyboard.press('ArrowRight');
      await page.keyboard.press('Escape');
      assert.equal(await top.getAttribute('aria-expanded'), 'false', f);
      assert.equal(await top.evaluate((e) => e === document.activeElement), true, f);
    });
  }
});

test('osmerin: its style rules reach only its own box', { skip: osmerinSkip }, async () => {
  const site = publishWithRuntime('osmerin', fs.readFileSync(share('osmerin', 'templates', 'text_news.osn')), 'scoped');
  fs.writeFileSync(site.page, site.html.replace('<HTML>', '<HTML>\r\n<button id="host">Host</button>'), 'latin1');
  await withPage(site.url, async (page) => {
    const loose = await page.evaluate(() => {
      const out = [];
      const walk = (rules) => {
        for (const r of rules) {
          if (r.cssRules && !r.selectorText) walk(r.cssRules);
          else if (r.selectorText) for (const sel of r.selectorText.split(',')) if (!/^\s*\.os(meral|-)/.test(sel)) out.push(sel.trim());
        }
      };
      walk(document.getElementById('osmeral-style').sheet.cssRules);
      return out;
    });
    assert.deepEqual(loose, []);
    // The host page's own focus ring stays the browser's.
    await page.keyboard.press('Tab');
    assert.equal(await page.evaluate(() => document.activeElement.id), 'host');
    assert.notEqual(await page.$eval('#host', (e) => getComputedStyle(e).outlineStyle), 'solid');
  });
});

test('axe: every applet template, with nothing laid over the text it measures', { skip: vantrelSkip || osmerinSkip }, async () => {
  const found = [];
  for (const [product, box] of [['vantrel', 'nav.vantrel20'], ['osmerin', '.osmeral']]) {
    for (const f of templates(product)) {
      const site = publishWithRuntime(product, fs.readFileSync(share(product, 'templates', f)), path.basename(f).replace(/\.\w+$/, ''));
      await withPage(site.url, { media: { reducedMotion: 'reduce' } }, async (page) => {
        await page.waitForFunction(() => !document.querySelector('.v20-loading,.os-loading'));
        await page.addScriptTag({ content: AXE });
        const r = await page.evaluate((box) => window.axe.run({ include: [[box]] },
          { runOnly: { type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa'] } }), box);
        for (const v of r.violations) found.push(`${f}: ${v.id} on ${v.nodes.length}`);
        for (const v of r.incomplete) {
          for (const n of v.nodes) if (n.any.some((c) => c.data && c.data.messageKey === 'bgOverlap')) found.push(`${f}: ${n.target} is covered`);
        }
      });
    }
  }
  assert.deepEqual(found, []);
});
