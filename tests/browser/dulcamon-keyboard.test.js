'use strict';
// Keyboard and focus: disclosure navigation with arrows, Home/End, Escape, focus leaving, right-to-left.
const { test, after } = require('node:test');
const assert = require('node:assert/strict');
const { skipReason } = require('./lib/programs');
const { withPage, closeBrowser } = require('./lib/browser');
const { link, toggle, subOf, isOpen, menuPage } = require('./lib/menu');

const skip = skipReason('dulcamon');
after(closeBrowser);

// Name of the focused control: its aria-label, or its own caption text.
const focused = (page) => page.evaluate(() => {
  const e = document.activeElement;
  if (!e || !e.closest('nav')) return null;
  return e.getAttribute('aria-label') || e.firstChild.textContent;
});

async function tabOrder(page, n) {
  const seen = [];
  for (let i = 0; i < n; i++) { await page.keyboard.press('Tab'); seen.push(await focused(page)); }
  return seen;
}

test('Tab reaches the items; closed sub-menus are out of the tab order', { skip }, async () => {
  const site = menuPage('vertical.dlcg');
  await withPage(site.url, async (page) => {
    assert.deepEqual(await tabOrder(page, 7),
      ['Home', 'Products', 'Products submenu', 'Services', 'Archive', 'Say "hi" \\ <b>&amp; co</b>', null]);
  });
});

test('toggle, arrows into and out of sub-menus, Escape returns focus to the toggle', { skip }, async () => {
  const site = menuPage('vertical.dlcg');
  await withPage(site.url, async (page) => {
    await toggle(page, 'Products').focus();
    await page.keyboard.press('Enter');
    assert.equal(await isOpen(page, 'Products'), true);
    assert.equal(await focused(page), 'Products submenu', 'Enter opens without moving focus');
    await page.keyboard.press('Space');
    assert.equal(await isOpen(page, 'Products'), false, 'Space toggles it closed');
    await page.keyboard.press('ArrowRight');
    assert.equal(await isOpen(page, 'Products'), true);
    assert.equal(await focused(page), 'Hardware', 'Right opens a vertical menu\'s sub-menu and enters it');
    await page.keyboard.press('ArrowDown');
    assert.equal(await focused(page), 'Software');
    await page.keyboard.press('ArrowDown');
    assert.equal(await focused(page), 'Hardware', 'arrows wrap around');
    await page.keyboard.press('ArrowRight');
    assert.equal(await focused(page), 'Laptops');
    await page.keyboard.press('End');
    assert.equal(await focused(page), 'Desktops');
    await page.keyboard.press('Home');
    assert.equal(await focused(page), 'Laptops');
    await page.keyboard.press('Escape');
    assert.equal(await isOpen(page, 'Hardware'), false);
    assert.equal(await focused(page), 'Hardware', 'Escape closes the innermost sub-menu and focuses its toggle');
    await page.keyboard.press('ArrowLeft');
    assert.equal(await isOpen(page, 'Products'), false);
    assert.equal(await focused(page), 'Products submenu', 'Left leaves the sub-menu');
    await page.keyboard.press('ArrowDown');
    assert.equal(await focused(page), 'Services');
    await page.keyboard.press('End');
    assert.equal(await focused(page), 'Say "hi" \\ <b>&amp; co</b>');
    await page.keyboard.press('Home');
    assert.equal(await focused(page), 'Home');
  });
});

test('focus leaving the menu closes everything; moving to another branch closes the old one', { skip }, async () => {
  const site = menuPage('vertical.dlcg');
  await withPage(site.url, async (page) => {
    await toggle(page, 'Services').focus();
    await page.keyboard.press('Enter');
    assert.deepEqual(await tabOrder(page, 4), ['Consulting', 'Training', 'Support', 'Parent']);
    await page.keyboard.press('Tab');
    assert.equal(await focused(page), 'Archive');
    assert.equal(await isOpen(page, 'Services'), false, 'focus moved to another branch');
    await page.keyboard.press('Enter');
    assert.equal(await isOpen(page, 'Archive'), true);
    await page.keyboard.press('Shift+Tab');
    assert.equal(await isOpen(page, 'Archive'), false);
    await toggle(page, 'Archive').focus();
    await page.keyboard.press('Enter');
    await page.evaluate(() => document.activeElement.blur());
    assert.equal(await isOpen(page, 'Archive'), false, 'focus left the menu');
  });
});

test('Enter on a parent that has its own link follows the link', { skip }, async () => {
  const site = menuPage('vertical.dlcg');
  await withPage(site.url, async (page) => {
    await link(page, 'Products').focus();
    await page.keyboard.press('Enter');
    await page.waitForURL(/products\.html$/);
  });
});

test('horizontal menu: Left/Right move along the bar, Down opens and enters', { skip }, async () => {
  const site = menuPage('horizontal.dlcg');
  await withPage(site.url, async (page) => {
    await link(page, 'Home').focus();
    await page.keyboard.press('ArrowRight');
    assert.equal(await focused(page), 'Products');
    await page.keyboard.press('ArrowRight');
    await page.keyboard.press('ArrowDown');
    assert.equal(await focused(page), 'Hardware');
    assert.equal(await isOpen(page, 'Products'), true);
    await page.keyboard.press('ArrowDown');
    assert.equal(await focused(page), 'Software');
    await page.keyboard.press('ArrowUp');
    await page.keyboard.press('Escape');
    assert.equal(await focused(page), 'Products submenu');
    assert.equal(await isOpen(page, 'Products'), false);
  });
});

test('right-to-left page: sub-menus open to the left and Left enters them', { skip }, async () => {
  const site = menuPage('vertical.dlcg', { x: 400 }, { edit: (t) => t.replace('<HTML>', '<HTML dir="rtl">') });
  await withPage(site.url, async (page) => {
    await toggle(page, 'Products').focus();
    await page.keyboard.press('ArrowLeft');
    assert.equal(await focused(page), 'Hardware');
    const parent = await link(page, 'Products').locator('xpath=ancestor::li[1]').boundingBox();
    const sub = await (await subOf(page, 'Products')).boundingBox();
    assert.ok(sub.x + sub.width <= parent.x + 1, 'opened on the left side');
    await page.keyboard.press('ArrowRight');
    assert.equal(await focused(page), 'Products submenu');
    assert.equal(await isOpen(page, 'Products'), false);
  });
});
