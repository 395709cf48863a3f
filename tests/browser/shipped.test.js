'use strict';
// Shipped files: every template makes a working page, samples load, help pages are complete and linked.
const { test, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { REPO, skipReason, publish, buildDir } = require('./lib/programs');
const { readProject } = require('./lib/projects');
const { withPage, closeBrowser } = require('./lib/browser');

after(closeBrowser);
const share = (product, ...p) => path.join(REPO, product, 'share', ...p);
const templates = (product, ext) => fs.readdirSync(share(product, 'templates')).filter((f) => f.endsWith(ext)).sort();

test('templates: at least four of each, vertical and horizontal, three levels deep', () => {
  const dlcg = templates('dulcamon', '.dlcg');
  const ksdm = templates('kestravo', '.ksdm');
  assert.ok(dlcg.length >= 4 && ksdm.length >= 4, `${dlcg} ${ksdm}`);
  const aligns = new Set();
  for (const f of dlcg) {
    const { params, items } = readProject(fs.readFileSync(share('dulcamon', 'templates', f)));
    aligns.add(params[3]);
    assert.ok(Math.max(...items.map((it) => +it[14])) >= 2, `${f} is three levels deep`);
  }
  assert.deepEqual([...aligns].sort(), ['0', '1'], 'vertical and horizontal menus');
  for (const f of ksdm) {
    const { items } = readProject(fs.readFileSync(share('kestravo', 'templates', f)));
    assert.ok(Math.max(...items.map((it) => +it[3])) >= 2, `${f} is three levels deep`);
  }
});

test('every dulcamon template makes a page whose every sub-menu opens', { skip: skipReason('dulcamon') }, async () => {
  for (const f of templates('dulcamon', '.dlcg')) {
    const site = publish('dulcamon', fs.readFileSync(share('dulcamon', 'templates', f)), path.basename(f, '.dlcg'));
    await withPage(site.url, async (page) => {
      const toggles = page.locator('nav button[aria-expanded]');
      // Open every branch from the top, depth first, by keyboard; sub-menus are made as they open.
      let i = 0;
      for (; i < await toggles.count(); i++) {
        const t = toggles.nth(i);
        if (!(await t.isVisible())) continue;
        if ((await t.getAttribute('aria-expanded')) === 'false') { await t.focus(); await page.keyboard.press('Enter'); }
        assert.equal(await t.getAttribute('aria-expanded'), 'true', `${f}: toggle ${i}`);
        assert.ok(await page.locator('#' + await t.getAttribute('aria-controls')).isVisible());
      }
      assert.ok(i >= 5, `${f}: ${i} parents`);
    });
  }
});

test('every kestravo template makes a page with its entries and the tip first', { skip: skipReason('kestravo') }, async () => {
  for (const f of templates('kestravo', '.ksdm')) {
    const { params, items } = readProject(fs.readFileSync(share('kestravo', 'templates', f)));
    const site = publish('kestravo', fs.readFileSync(share('kestravo', 'templates', f)), path.basename(f, '.ksdm'));
    await withPage(site.url, async (page) => {
      const texts = await page.$$eval('select option', (o) => o.map((x) => x.textContent.trim()));
      assert.deepEqual(texts, [params[1], ...items.map((it) => it[0])], f);
      assert.equal(await page.getByRole('combobox', { name: params[1] }).count(), 1);
    });
  }
});

test('the built samples load without errors', async (t) => {
  for (const [product, page] of [['dulcamon', 'normal.html'], ['kestravo', 'index.html']]) {
    const file = path.join(buildDir(), 'share', product, 'samples', page);
    if (!fs.existsSync(file)) { t.diagnostic(`${file} not built (target ${product}_share)`); continue; }
    await withPage('file://' + file, async (p) => {
      if (product === 'kestravo') {
        assert.ok(await p.locator('select option').count() > 5);
        return;
      }
      // Sub-menus are built when first opened: the top level is there at once,
      // and opening a branch adds its items.
      const atLoad = await p.locator('nav li').count();
      assert.ok(atLoad > 3, `${atLoad} top-level items`);
      await p.locator('nav button[aria-expanded]').first().click();
      assert.ok(await p.locator('nav li').count() > atLoad);
    });
  }
});

test('help: the kestravo topic files exist; every page links only to pages that exist', () => {
  const topics = ['getting_started.htm', 'customizing_js_menu_menu_general.htm', 'customizing_js_menu_menu_font_settings.htm',
    'customizing_js_menu_menu_menu.htm', 'customizing_js_menu_menu_tip_message_first_item.htm',
    'customizing_js_menu_menu_main_item.htm', 'customizing_js_menu_menu_sub_item.htm',
    'customizing_js_menu_menu_sub_item_alternation.htm', 'customizing_js_item_item_caption.htm',
    'customizing_js_item_item_link.htm', 'customizing_js_menu_path_path.htm'];
  for (const f of ['index.html', ...topics]) assert.ok(fs.existsSync(share('kestravo', 'help', f)), f);
  for (const product of ['dulcamon', 'kestravo']) {
    const dir = share(product, 'help');
    const pages = fs.readdirSync(dir);
    assert.ok(pages.includes('index.html') && pages.length >= 12, `${product}: ${pages.length} help pages`);
    for (const p of pages) {
      const html = fs.readFileSync(path.join(dir, p), 'utf8');
      assert.match(html, /<title>[^<]+<\/title>/, p);
      for (const [, href] of html.matchAll(/href="([^"#:]+)"/g)) assert.ok(pages.includes(href), `${product}/${p} links to ${href}`);
      if (p !== 'index.html') assert.ok(fs.readFileSync(path.join(dir, 'index.html'), 'utf8').includes(`href="${p}"`), `index lists ${p}`);
    }
  }
});
