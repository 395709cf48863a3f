'use strict';
// Viewport edges, glide and filters under normal and reduced motion, forced colours, scrolling with the page.
const { test, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { skipReason } = require('./lib/programs');
const { withPage, closeBrowser } = require('./lib/browser');
const { link, toggle, itemOf, subOf, isOpen, menuPage, style } = require('./lib/menu');

const skip = skipReason('dulcamon');
after(closeBrowser);
const OUT = path.join(__dirname, 'out');
const tall = (t) => t.replace('</body>', '<div style="height:3000px"></div>\r\n</body>');
const inside = (b, w, h) => b.x >= 0 && b.y >= 0 && b.x + b.width <= w + 0.5 && b.y + b.height <= h + 0.5;

// Wide enough for sub-menus beside their parents; narrower screens stack them (dulcamon-small).
test('viewport edges: flip to the other side, shift up, scroll a list taller than the viewport, close on resize', { skip }, async () => {
  const site = menuPage('vertical.dlcg', { x: 420, y: 170 });
  await withPage(site.url, { viewport: { width: 520, height: 300 } }, async (page) => {
    await toggle(page, 'Products').focus();
    await page.keyboard.press('ArrowRight');
    await page.keyboard.press('ArrowRight');
    const hardware = await (await subOf(page, 'Hardware')).boundingBox();
    const products = await (await subOf(page, 'Products')).boundingBox();
    assert.ok(inside(hardware, 520, 300), `deepest sub-menu inside the viewport: ${JSON.stringify(hardware)}`);
    assert.ok(inside(products, 520, 300));
    assert.ok(products.x + products.width <= 420 + 1, 'Products opened to the left of the menu');

    await toggle(page, 'Archive').focus();
    await page.keyboard.press('Enter');
    const archive = await subOf(page, 'Archive');
    const box = await archive.boundingBox();
    assert.ok(inside(box, 520, 300), `tall list inside the viewport: ${JSON.stringify(box)}`);
    assert.deepEqual(await archive.evaluate((u) => [u.scrollHeight > u.clientHeight, getComputedStyle(u).overflowY]), [true, 'auto']);
    // The last entry can be reached by keyboard: focus scrolls it into view.
    await page.keyboard.press('ArrowRight');
    await page.keyboard.press('End');
    const last = await link(page, 'Issue 30').boundingBox();
    assert.ok(inside(last, 520, 300));

    await page.setViewportSize({ width: 500, height: 280 });
    await page.waitForFunction(() => !document.querySelector('[aria-expanded=true]'));
  });
});

test('a list near the bottom shifts up to stay in view', { skip }, async () => {
  const site = menuPage('vertical.dlcg', { x: 10, y: 200 });
  await withPage(site.url, { viewport: { width: 520, height: 300 } }, async (page) => {
    await toggle(page, 'Services').focus();
    await page.keyboard.press('Enter');
    const services = await (await subOf(page, 'Services')).boundingBox();
    assert.ok(inside(services, 400, 300), JSON.stringify(services));
    assert.ok(services.y < 240, 'moved above its normal place');
  });
});

// Reads the list's animations in the microtask right after it is shown, before any of them can finish.
async function openAndReadAnimations(page, name = 'Products') {
  const sub = await subOf(page, name);
  await sub.evaluate((u) => {
    new MutationObserver(() => {
      window.__seen = {
        shown: !u.hidden && getComputedStyle(u).display !== 'none',
        animations: u.getAnimations().map((a) => ({
          duration: a.effect.getTiming().duration,
          frames: a.effect.getKeyframes().map((k) => ({ opacity: k.opacity, clipPath: k.clipPath })),
        })),
      };
    }).observe(u, { attributeFilter: ['hidden'] });
  });
  await toggle(page, name).focus();
  await page.keyboard.press('Enter');
  return page.evaluate(() => window.__seen);
}

test('glide open reveals from the opening edge, paced by step and speed', { skip }, async () => {
  // 80 px wide, 5 px per step, at least 16 ms per step: capped at 300 ms.
  const site = menuPage('vertical.dlcg', { glide: 1, step: 5, speed: 1 });
  await withPage(site.url, async (page) => {
    const r = await openAndReadAnimations(page);
    assert.equal(r.shown, true);
    assert.equal(r.animations.length, 1);
    assert.equal(r.animations[0].duration, 256);
    assert.deepEqual(r.animations[0].frames.map((f) => f.clipPath), ['inset(0px 100% 0px 0px)', 'inset(0px)']);
  });
  const fast = menuPage('vertical.dlcg', { glide: 1, step: 40, speed: 20 });
  await withPage(fast.url, async (page) => {
    assert.equal((await openAndReadAnimations(page)).animations[0].duration, 40);
  });
});

test('filters map to modern transitions; unknown or malformed text gives a plain fade', { skip }, async () => {
  const cases = [
    ['progid:DXImageTransform.Microsoft.Fade(duration=0.5)', 500, 'opacity'],
    ['progid:DXImageTransform.Microsoft.GradientWipe(duration=0.7,wipeStyle=1)', 700, 'inset'],
    ['progid:DXImageTransform.Microsoft.Strips(duration=0.5,motion=rightdown)', 500, 'inset'],
    ['progid:DXImageTransform.Microsoft.Iris(duration=0.4)', 400, 'circle'],
    ['progid:DXImageTransform.Microsoft.RandomDissolve(duration=0.5)', 500, 'opacity'],
    ['blendTrans(duration=1)', 1000, 'opacity'],
    ['(((garbage "quoted" \\ </script> <b>', 300, 'opacity'],
    ['progid:DXImageTransform.Microsoft.Wheel(duration=abc,spokes=5)', 300, 'circle'],
  ];
  for (const [filter, duration, kind] of cases) {
    const site = menuPage('vertical.dlcg', { glide: 0, filter });
    await withPage(site.url, async (page) => {
      const { animations } = await openAndReadAnimations(page);
      assert.equal(animations.length, 1, filter);
      assert.equal(animations[0].duration, duration, filter);
      const first = animations[0].frames[0];
      const got = first.opacity === '0' ? 'opacity' : first.clipPath.startsWith('circle') ? 'circle' : 'inset';
      assert.equal(got, kind, filter);
    });
  }
});

test('reduced motion: no animation at all, the list is there at once', { skip }, async () => {
  const site = menuPage('vertical.dlcg', { glide: 1, filter: 'progid:DXImageTransform.Microsoft.Fade(duration=0.5)' });
  await withPage(site.url, { media: { reducedMotion: 'reduce' } }, async (page) => {
    const r = await openAndReadAnimations(page);
    assert.deepEqual(r, { shown: true, animations: [] });
    await page.keyboard.press('ArrowRight');
    assert.equal(await page.evaluate(() => document.activeElement.textContent), 'Hardware\u25B8');
  });
});

test('forced colours: focus, hover and open states stay visible without colour', { skip }, async () => {
  const site = menuPage('vertical.dlcg');
  await withPage(site.url, { media: { forcedColors: 'active' } }, async (page) => {
    const home = link(page, 'Home');
    const outline = (l) => l.evaluate((e) => `${getComputedStyle(e).outlineStyle} ${getComputedStyle(e).outlineWidth}`);
    const before = await outline(home);
    await home.focus();
    const after = await outline(home);
    assert.notEqual(after, before);
    assert.match(after, /solid 3px/);
    await home.hover();
    assert.equal(await style(itemOf(home), 'outline-style'), 'dashed', 'hover shows a dashed outline');
    await toggle(page, 'Services').focus();
    await page.keyboard.press('Enter');
    assert.equal(await style(itemOf(toggle(page, 'Services')), 'outline-style'), 'dashed', 'open parent is outlined');
    assert.equal(await toggle(page, 'Services').evaluate((b) => b.querySelector('[aria-hidden]').textContent), '\u25BE',
      'the arrow shows the open state');
    fs.mkdirSync(OUT, { recursive: true });
    await page.screenshot({ path: path.join(OUT, 'forced-colors.png') });
  });
});

test('scroll along with the page keeps the menu in the viewport; otherwise it scrolls away', { skip }, async () => {
  for (const [scroll, dy] of [[1, 0], [0, -500]]) {
    const site = menuPage('vertical.dlcg', { scroll }, { edit: tall });
    await withPage(site.url, async (page) => {
      const nav = page.getByRole('navigation');
      const y0 = (await nav.boundingBox()).y;
      await page.evaluate(() => window.scrollBy(0, 500));
      await page.waitForFunction(() => window.scrollY === 500);
      assert.equal((await nav.boundingBox()).y, y0 + dy, `scroll=${scroll}`);
      if (scroll) {
        await toggle(page, 'Products').click();
        assert.equal(await isOpen(page, 'Products'), true);
        const sub = await (await subOf(page, 'Products')).boundingBox();
        assert.equal(sub.y, y0 + 20, 'sub-menus follow the fixed menu');
      }
    });
  }
});

test('a sub-menu opened from a scrolling list is not clipped by it, and closes when that list scrolls', { skip }, async () => {
  const site = menuPage('tall.dlcg');
  await withPage(site.url, { viewport: { width: 520, height: 300 } }, async (page) => {
    await toggle(page, 'Long').focus();
    await page.keyboard.press('ArrowRight');
    await page.keyboard.press('End');
    await page.keyboard.press('ArrowRight');
    assert.equal(await isOpen(page, 'Deep'), true);
    const deep = await subOf(page, 'Deep');
    const box = await deep.boundingBox();
    assert.ok(inside(box, 520, 300), JSON.stringify(box));
    // What the visitor sees at the sub-menu's place is the sub-menu itself.
    const hit = await page.evaluate(({ x, y }) => document.elementFromPoint(x, y).textContent, { x: box.x + 20, y: box.y + 10 });
    assert.equal(hit, 'Deeper');
    await page.keyboard.press('Escape');
    await page.keyboard.press('ArrowRight');
    assert.equal(await isOpen(page, 'Deep'), true);
    await (await subOf(page, 'Long')).evaluate((u) => { u.scrollTop = 0; });
    await page.waitForFunction(() => document.querySelectorAll('[aria-expanded=true]').length === 1);
  });
});
