'use strict';
// The jump menu: pointer choices open at once in their target, arrows only move, Enter opens,
// the tip option never navigates, the select has a name, and Back shows the tip again.
const { test, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { skipReason, publish } = require('./lib/programs');
const { withPage, closeBrowser } = require('./lib/browser');

const skip = skipReason('kestravo');
after(closeBrowser);
const SELECT = 'select[name=brevanekstrvselect]';

function site() { return publish('kestravo', 'jump.ksdm', 'menu'); }

function frameset() {
  const s = site();
  const file = path.join(s.dir, 'frames.html');
  fs.writeFileSync(file, '<html><frameset cols="300,*"><frame name="nav" src="menu.html"><frame name="main" src="blank.html"></frameset></html>\n');
  return { ...s, url: 'file://' + file };
}

test('a pointer choice opens its link in the page itself for _self', { skip }, async () => {
  const s = site();
  await withPage(s.url, async (page) => {
    await page.selectOption(SELECT, 'products.html');
    await page.waitForURL(/products\.html$/);
  });
});

test('arrow keys only move the selection; Enter opens the selected entry', { skip }, async () => {
  const s = site();
  await withPage(s.url, async (page) => {
    await page.focus(SELECT);
    await page.keyboard.press('ArrowDown');
    await page.keyboard.press('ArrowDown');
    assert.equal(await page.$eval(SELECT, (e) => e.selectedIndex), 2);
    await page.waitForTimeout(500);
    assert.equal(page.url(), s.url, 'no navigation while stepping');
    await page.keyboard.press('ArrowUp');
    await page.keyboard.press('End');
    await page.keyboard.press('Home');
    await page.waitForTimeout(300);
    assert.equal(page.url(), s.url);
    await page.keyboard.press('ArrowDown');
    await page.keyboard.press('Enter');
    await page.waitForURL(/home\.html$/);
  });
});

test('the tip option never navigates, by pointer or by Enter', { skip }, async () => {
  const s = site();
  await withPage(s.url, async (page) => {
    await page.focus(SELECT);
    await page.keyboard.press('ArrowDown');
    await page.selectOption(SELECT, '0');
    await page.keyboard.press('Enter');
    await page.waitForTimeout(500);
    assert.equal(page.url(), s.url);
  });
});

test('the select has an accessible name; only onSelectedItemChanged is added; captions arrive as written', { skip }, async () => {
  const s = site();
  const init = () => { window.__before = Object.getOwnPropertyNames(window); };
  await withPage(s.url, { init }, async (page) => {
    assert.equal(await page.getByRole('combobox', { name: 'Choose a page ...' }).count(), 1);
    const added = await page.evaluate(() => Object.getOwnPropertyNames(window).filter((n) => !window.__before.includes(n) && n !== '__before'));
    assert.deepEqual(added, ['onSelectedItemChanged']);
    const texts = await page.$$eval(`${SELECT} option`, (o) => o.map((x) => x.textContent));
    assert.ok(texts.includes('Say "hi" \\ & co'), JSON.stringify(texts)); // the page holds the caption as HTML
  });
});

test('after Back the menu shows the tip option again', { skip }, async () => {
  const s = site();
  await withPage(s.url, async (page) => {
    await page.selectOption(SELECT, 'home.html');
    await page.waitForURL(/home\.html$/);
    await page.goBack();
    await page.waitForURL(s.url);
    await page.waitForFunction((sel) => document.querySelector(sel)?.selectedIndex === 0, SELECT);
    // Choosing the same entry again works, since the choice is a change again.
    await page.selectOption(SELECT, 'home.html');
    await page.waitForURL(/home\.html$/);
  });
});

test('targets in a frameset: a frame name, _top, _parent, _blank, and an unknown frame opens a new window', { skip }, async () => {
  const fs1 = frameset();
  await withPage(fs1.url, async (page, ctx) => {
    const nav = page.frame({ name: 'nav' });
    await nav.waitForSelector(SELECT);
    await nav.selectOption(SELECT, 'laptops.html');
    await page.frame({ name: 'main' }).waitForURL(/laptops\.html$/);
    assert.equal(page.url(), fs1.url);
    const [popup] = await Promise.all([ctx.context.waitForEvent('page'), nav.selectOption(SELECT, 'news.html')]);
    await popup.waitForURL(/news\.html$/);
    const [other] = await Promise.all([ctx.context.waitForEvent('page'), nav.selectOption(SELECT, 'desktops.html')]);
    await other.waitForURL(/desktops\.html$/);
    assert.equal(page.url(), fs1.url);
    await nav.selectOption(SELECT, 'top.html');
    await page.waitForURL(/top\.html$/);
  });
  const fs2 = frameset();
  await withPage(fs2.url, async (page) => {
    const nav = page.frame({ name: 'nav' });
    await nav.waitForSelector(SELECT);
    await nav.selectOption(SELECT, 'parent.html');
    await page.waitForURL(/parent\.html$/);
  });
});
