'use strict';
// The gliding menu on a phone: a swipe scrolls a menu taller than its box, and the scroll bar's
// buttons are big enough for a finger.
const { test, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const { skipReason } = require('./lib/programs');
const { withPage, closeBrowser } = require('./lib/browser');
const { share, publishWithRuntime, editVantrel } = require('./lib/applets');

after(closeBrowser);
const PHONE = { viewport: { width: 375, height: 667 }, hasTouch: true, isMobile: true };

async function swipe(page, x, from, to) {
  const cdp = await page.context().newCDPSession(page);
  const point = (y) => [{ x, y, id: 1 }];
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: point(from) });
  for (let i = 1; i <= 8; i++) await cdp.send('Input.dispatchTouchEvent', { type: 'touchMove', touchPoints: point(from + (to - from) * i / 8) });
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
}

test('vantrel on a touch screen: a swipe scrolls the menu, the bar\'s buttons are 24 px or more', { skip: skipReason('vantrel') }, async () => {
  const base = fs.readFileSync(share('vantrel', 'templates', 'ocean_glide.vtp'), 'latin1');
  const site = publishWithRuntime('vantrel', editVantrel(base, { app: { 61: '120', 56: '14' } }), 'phone');
  await withPage(site.url, PHONE, async (page) => {
    assert.equal(await page.evaluate(() => matchMedia('(pointer: coarse)').matches), true);
    const nav = await page.locator('nav.vantrel20').boundingBox();
    const firstTop = () => page.evaluate(() => document.querySelector('.v20-item').getBoundingClientRect().top);
    const before = await firstTop();
    await swipe(page, nav.x + nav.width / 3, nav.y + 100, nav.y + 20);
    const moved = before - await firstTop();
    assert.ok(moved >= 40, `the list followed the finger: ${moved} px`);
    // Back down past the top: the list stops at its top.
    await swipe(page, nav.x + nav.width / 3, nav.y + 20, nav.y + 110);
    assert.equal(await firstTop(), before);
    const sizes = await page.$$eval('.v20-bar .v20-btn', (b) => b.map((e) => { const r = e.getBoundingClientRect(); return [r.width, r.height]; }));
    assert.equal(sizes.length, 2);
    for (const [w, h] of sizes) assert.ok(w >= 24 && h >= 24, `button ${w} x ${h}`);
  });
  // With a mouse the bar keeps its stored width.
  await withPage(site.url, async (page) => {
    assert.equal(await page.$eval('.v20-bar', (e) => e.offsetWidth), 14);
  });
});
