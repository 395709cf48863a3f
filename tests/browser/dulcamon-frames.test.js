'use strict';
// Link targets inside a frameset opened from disk; a sub-menu frame name never breaks the menu.
const { test, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { skipReason } = require('./lib/programs');
const { withPage, closeBrowser } = require('./lib/browser');
const { link, toggle, subOf, isOpen, menuPage } = require('./lib/menu');

const skip = skipReason('dulcamon');
after(closeBrowser);

// The menu page in frame "nav", content in frame "main"; the sub-menu frame is named "main".
function frameset() {
  const site = menuPage('vertical.dlcg', { frame: 'main', x: 0, y: 0 });
  const file = path.join(site.dir, 'frames.html');
  fs.writeFileSync(file, '<html><frameset cols="300,*"><frame name="nav" src="menu.html"><frame name="main" src="blank.html"></frameset></html>\n');
  return 'file://' + file;
}

async function navFrame(page) {
  const f = page.frame({ name: 'nav' });
  await f.waitForSelector('nav');
  return f;
}

test('target frame name loads into that frame; sub-menus stay in the menu frame', { skip }, async () => {
  const url = frameset();
  await withPage(url, async (page) => {
    const nav = await navFrame(page);
    await toggle(nav, 'Services').click();
    assert.equal(await isOpen(nav, 'Services'), true);
    assert.ok(await (await subOf(nav, 'Services')).isVisible(), 'the sub-menu renders in the menu frame');
    await link(nav, 'Support').click();
    await page.frame({ name: 'main' }).waitForURL(/support\.html$/);
    assert.equal(page.url(), url, 'the frameset stays');
  });
});

test('_blank opens a new page, _top replaces the frameset, _parent replaces the frameset too', { skip }, async () => {
  const url = frameset();
  await withPage(url, async (page, s) => {
    const nav = await navFrame(page);
    await toggle(nav, 'Services').click();
    const [popup] = await Promise.all([s.context.waitForEvent('page'), link(nav, 'Consulting').click()]);
    await popup.waitForURL(/consulting\.html$/);
    assert.equal(page.url(), url);
    if (!(await isOpen(nav, 'Services'))) await toggle(nav, 'Services').click();
    await link(nav, 'Training').click();
    await page.waitForURL(/training\.html$/);
  });
  await withPage(frameset(), async (page) => {
    const nav = await navFrame(page);
    await toggle(nav, 'Services').click();
    await link(nav, 'Parent').click();
    await page.waitForURL(/parent\.html$/);
  });
});

test('_self navigates the menu frame only', { skip }, async () => {
  const url = frameset();
  await withPage(url, async (page) => {
    const nav = await navFrame(page);
    await link(nav, 'Home').click();
    await nav.waitForURL(/home\.html$/);
    assert.equal(page.url(), url);
  });
});
