'use strict';
// axe-core, WCAG 2.1 A and AA, on the menu of every shipped template's page: menus closed, then with
// every pop-out branch open (and the jump menu focused with its list open). The generated page
// skeleton (title, language) is the author's page, so only our menu is checked.
const { test, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { REPO, skipReason, publish } = require('./lib/programs');
const { withPage, closeBrowser } = require('./lib/browser');

after(closeBrowser);
const AXE = fs.readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8');
const TAGS = ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa'];
const templates = (product, ext) => fs.readdirSync(path.join(REPO, product, 'share', 'templates'))
  .filter((f) => f.endsWith(ext)).sort().map((f) => path.join(REPO, product, 'share', 'templates', f));

async function audit(page, include) {
  if (!(await page.evaluate(() => !!window.axe))) await page.addScriptTag({ content: AXE });
  const r = await page.evaluate(({ include, tags }) => window.axe.run({ include: [include] },
    { runOnly: { type: 'tag', values: tags }, resultTypes: ['violations'], preload: false }), { include, tags: TAGS });
  return r.violations.map((v) => `${v.id} (${v.impact}): ${v.nodes.map((n) => n.target.join(' ')).slice(0, 3).join(', ')}`);
}

test('axe: every dulcamon template, menus closed and every branch open', { skip: skipReason('dulcamon') }, async () => {
  const found = [];
  for (const file of templates('dulcamon', '.dlcg')) {
    const name = path.basename(file, '.dlcg');
    const site = publish('dulcamon', fs.readFileSync(file), name);
    await withPage(site.url, { media: { reducedMotion: 'reduce' } }, async (page) => {
      for (const v of await audit(page, 'nav')) found.push(`${name}, closed: ${v}`);
      // Opening a branch closes its siblings, so each opened list is checked as it opens, focused.
      const toggles = page.locator('nav button[aria-expanded]');
      let opened = 0;
      for (let i = 0; i < await toggles.count(); i++) {
        const t = toggles.nth(i);
        if (!(await t.isVisible()) || (await t.getAttribute('aria-expanded')) === 'true') continue;
        await t.focus();
        await page.keyboard.press('Enter');
        opened++;
        for (const v of await audit(page, 'nav')) found.push(`${name}, ${await t.getAttribute('aria-controls')} open: ${v}`);
      }
      assert.ok(opened >= 5, `${name}: ${opened} branches opened`);
    });
  }
  assert.deepEqual(found, []);
});

test('axe: every kestravo template, the jump menu closed and opened', { skip: skipReason('kestravo') }, async () => {
  const found = [];
  for (const file of templates('kestravo', '.ksdm')) {
    const name = path.basename(file, '.ksdm');
    const site = publish('kestravo', fs.readFileSync(file), name);
    await withPage(site.url, async (page) => {
      for (const v of await audit(page, 'form')) found.push(`${name}, closed: ${v}`);
      await page.focus('select');
      await page.keyboard.press('Alt+ArrowDown');
      for (const v of await audit(page, 'form')) found.push(`${name}, open: ${v}`);
      await page.keyboard.press('Escape');
      // Every option in its own colours, as the opened list shows them.
      await page.$eval('select', (e) => { e.size = e.options.length; });
      for (const v of await audit(page, 'form')) found.push(`${name}, listed: ${v}`);
    });
  }
  assert.deepEqual(found, []);
});
