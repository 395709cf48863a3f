'use strict';
// Author text that can never run or hide the menu, several menus on a page, small touch screens,
// hover content that can be dismissed and hovered, Escape on an open parent's link, aria-current
// following in-page navigation, and sub-menus made when first opened.
const { test, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const { skipReason, publish } = require('./lib/programs');
const { withPage, closeBrowser } = require('./lib/browser');
const { writeProject, dlcgParams, dlcgItems } = require('./lib/projects');
const { link, toggle, subOf, isOpen, menuPage, center } = require('./lib/menu');

const skip = skipReason('dulcamon');
after(closeBrowser);
const TOP = 'nav ul.dlcm-top > li';
const moveTo = async (page, locator) => { const c = await center(locator); await page.mouse.move(c.x, c.y); };
const overlap = (a, b) => a.x < b.x + b.width - 0.5 && b.x < a.x + a.width - 0.5 && a.y < b.y + b.height - 0.5 && b.y < a.y + a.height - 0.5;

test('hostile text in every field: nothing runs, nothing disappears, no console error', { skip }, async () => {
  const evil = [
    '<!--<script>', '</script><script>window.__pwn=1</script>', '<img src=x onerror="window.__pwn=2">',
    '<!-- rest', '"+(window.__pwn=3)+"', "');window.__pwn=4;('", '\\"); window.__pwn=5; //', '<\\/script>',
  ];
  const tree = evil.map((caption, i) => ({
    caption, url: `p${i}.html?${evil[(i + 1) % evil.length]}`, target: evil[(i + 2) % evil.length],
    desc: evil[(i + 3) % evil.length], img: `i${i}<!--.png`, imgOver: `o${i}"'<b>.png`,
    bg: '408080");}</style><!--', kids: [{ caption: evil[(i + 4) % evil.length], url: 'a.html' }],
  }));
  tree.push({ caption: 'Last', url: 'last.html' });
  const params = dlcgParams({ frame: '</script><!--', family: 'x;}</style><script>window.__pwn=6</script>', filter: '<!--<script>' });
  const site = menuPage(writeProject('dulcamon', params, dlcgItems(tree)), {},
    { edit: (t) => t.replace('</body>', '<p id=after>after</p>\r\n</body>') });
  await withPage(site.url, async (page) => {
    assert.equal(await page.evaluate(() => window.__pwn), undefined, 'no author text ran');
    const tops = page.locator(TOP);
    assert.equal(await tops.count(), tree.length, 'every item is there');
    assert.deepEqual(await page.$$eval(`${TOP} > .dlcm-x`, (e) => e.map((x) => x.textContent)), [...evil, 'Last']);
    assert.equal(await page.locator('#after').isVisible(), true, 'the rest of the page is shown');
    assert.equal(await page.locator('nav img, nav script, img').count(), 0);
    // Every sub-menu still opens, with its hostile caption as text.
    for (let i = 0; i < evil.length; i++) {
      // The branch opened before stays open until dismissed, and may lie over
      // this item: the pointer leaves the menu and Escape closes the branch.
      const size = page.viewportSize();
      await page.mouse.move(size.width - 2, size.height - 2);
      await page.keyboard.press('Escape');
      await page.waitForFunction(() => !document.querySelector('nav li.dlcm-open'));
      await tops.nth(i).locator('button[aria-expanded]').click();
      const sub = page.locator('#' + await tops.nth(i).locator('button[aria-expanded]').getAttribute('aria-controls'));
      assert.equal(await sub.locator('a').textContent(), evil[(i + 4) % evil.length]);
    }
    assert.equal(await page.evaluate(() => window.__pwn), undefined);
  });
});

// Two snippets pasted into one page: each brings its own runtime line and script block.
function twoSnippets(sameName) {
  return menuPage('vertical.dlcg', {}, {
    edit: (t) => {
      const from = t.indexOf("<script type='text/javascript' src=");
      const snippet = t.slice(from, t.indexOf('</script>\r\n<noscript>') + 11);
      const second = sameName ? snippet : snippet.replace(/dulcam10/g, 'second');
      return t.replace(snippet, snippet + second.replace('"",0,0,10,10', '"",0,1,300,10'));
    },
  });
}

for (const sameName of [false, true]) {
  test(`two pasted snippets${sameName ? ' with the same menu name' : ''}: one runtime, unique ids and names, each button controls its own menu`, { skip }, async () => {
    const site = twoSnippets(sameName);
    await withPage(site.url, async (page) => {
      const navs = page.getByRole('navigation');
      assert.equal(await navs.count(), 2);
      const names = await navs.evaluateAll((n) => n.map((x) => x.getAttribute('aria-label')));
      assert.deepEqual(names, sameName ? ['dulcam10', 'dulcam10 2'] : ['dulcam10', 'second']);
      assert.equal(await page.locator('style').count(), 1, 'the runtime set itself up once');
      for (let m = 0; m < 2; m++) {
        await toggle(navs.nth(m), 'Products').click();
        await toggle(navs.nth(m), 'Hardware').click();
      }
      const check = await page.evaluate(() => {
        const ids = [...document.querySelectorAll('[id]')].map((e) => e.id);
        const own = (attr) => [...document.querySelectorAll(`[${attr}]`)]
          .every((e) => e.closest('nav').contains(document.getElementById(e.getAttribute(attr))));
        return { unique: new Set(ids).size === ids.length, controls: own('aria-controls'), described: own('aria-describedby') };
      });
      assert.deepEqual(check, { unique: true, controls: true, described: true });
      assert.equal(await navs.nth(1).locator('a', { hasText: 'Laptops' }).isVisible(), true);
    });
  });
}

// Nothing at an item's centre but the item itself: no list covers its own parent levels.
async function uncovered(page) {
  return page.evaluate(() => [...document.querySelectorAll('nav .dlcm-x, nav .dlcm-tg')]
    .filter((e) => e.getClientRects().length && !e.closest('[hidden]'))
    .filter((e) => {
      const r = e.getBoundingClientRect(); const x = r.x + r.width / 2; const y = r.y + r.height / 2;
      const port = e.closest('nav').getBoundingClientRect(); // items scrolled out of the bar are reached by scrolling it
      if (x < Math.max(0, port.left) || x >= Math.min(innerWidth, port.right) || y < 0 || y >= innerHeight) return false;
      const hit = document.elementFromPoint(x, y);
      return !(hit && (hit === e || e.contains(hit)));
    })
    .map((e) => e.textContent || e.getAttribute('aria-label')));
}

test('small touch screen: lists open below their parents, never over them; the page never widens; targets 24 px', { skip }, async () => {
  // A 375-pixel layout, as a phone gives a page that asks for the device width.
  const screen = { viewport: { width: 375, height: 667 }, hasTouch: true };
  for (const [fixture, path] of [['vertical.dlcg', ['Products', 'Hardware']], ['horizontal.dlcg', ['Services']], ['tall.dlcg', ['Long', 'Deep']]]) {
    const site = menuPage(fixture);
    await withPage(site.url, screen, async (page) => {
      for (const name of path) {
        await toggle(page, name).tap();
        assert.equal(await isOpen(page, name), true, `${fixture}: ${name} opened`);
        const sub = await (await subOf(page, name)).boundingBox();
        const parent = await toggle(page, name).boundingBox();
        assert.ok(sub.y >= parent.y + parent.height - 1, `${fixture}: ${name}'s list starts below its parent`);
      }
      assert.deepEqual(await uncovered(page), [], `${fixture}: every shown item can be tapped`);
      const widths = await page.evaluate(() => [document.documentElement.scrollWidth, innerWidth]);
      assert.ok(widths[0] <= widths[1], `${fixture}: the page is ${widths[0]} px wide in a ${widths[1]} px screen`);
      const small = await page.$$eval('nav a, nav button', (e) => e.filter((x) => x.getClientRects().length)
        .map((x) => x.getBoundingClientRect()).filter((r) => r.width < 24 || r.height < 24).length);
      assert.equal(small, 0, `${fixture}: touch targets under 24 x 24 px`);
    });
  }
});

test('Escape closes a hover-opened sub-menu and the tooltip while focus is outside the menu', { skip }, async () => {
  const site = menuPage('vertical.dlcg', {}, { edit: (t) => t.replace('</body>', '<button id=out style="position:absolute;left:600px;top:500px">out</button>\r\n</body>') });
  await withPage(site.url, async (page) => {
    await page.focus('#out');
    await moveTo(page, link(page, 'Products'));
    await page.waitForFunction(() => document.querySelector('[aria-expanded=true]'));
    await moveTo(page, toggle(page, 'Hardware'));
    await page.waitForFunction(() => document.querySelectorAll('[aria-expanded=true]').length === 2);
    await page.keyboard.press('Escape');
    assert.equal(await page.locator('[aria-expanded=true]').count(), 0, 'hover-opened lists closed');
    await moveTo(page, link(page, 'Home'));
    const home = page.locator('#' + await link(page, 'Home').getAttribute('aria-describedby'));
    assert.equal(await home.evaluate((t) => t.getBoundingClientRect().width > 20), true, 'tooltip shown on hover');
    await page.keyboard.press('Escape');
    assert.equal(await home.evaluate((t) => t.getBoundingClientRect().width > 20), false, 'tooltip dismissed');
    assert.equal(await page.evaluate(() => document.activeElement.id), 'out', 'focus did not move');
  });
});

test('a tooltip never covers the next item and can be hovered without opening anything', { skip }, async () => {
  for (const fixture of ['vertical.dlcg', 'horizontal.dlcg']) {
    const site = menuPage(fixture);
    await withPage(site.url, async (page) => {
      await moveTo(page, link(page, 'Home'));
      const tip = page.locator('#' + await link(page, 'Home').getAttribute('aria-describedby'));
      const box = await tip.boundingBox();
      assert.ok(box.width > 20, 'shown');
      for (const other of ['Products', 'Services']) {
        assert.ok(!overlap(box, await link(page, other).or(toggle(page, other)).first().boundingBox()), `${fixture}: tooltip over ${other}`);
      }
      await page.mouse.move(box.x + box.width / 2, box.y + box.height / 2, { steps: 4 });
      await page.waitForTimeout(400);
      assert.ok((await tip.boundingBox()).width > 20, `${fixture}: still shown while hovered`);
      assert.equal(await page.locator('[aria-expanded=true]').count(), 0, `${fixture}: nothing opened under it`);
      assert.equal(await page.evaluate(({ x, y }) => document.elementFromPoint(x, y).id, { x: box.x + 5, y: box.y + 5 }), await tip.getAttribute('id'));
    });
  }
});

test("Escape on an open parent's link closes its sub-menu and keeps focus on the link", { skip }, async () => {
  const site = menuPage('vertical.dlcg');
  await withPage(site.url, async (page) => {
    await toggle(page, 'Products').focus();
    await page.keyboard.press('Enter');
    assert.equal(await isOpen(page, 'Products'), true);
    await link(page, 'Products').focus();
    await page.keyboard.press('Escape'); // the tooltip shown on focus goes first
    await page.keyboard.press('Escape');
    assert.equal(await isOpen(page, 'Products'), false);
    assert.equal(await page.evaluate(() => document.activeElement.textContent), 'Products');
  });
});

test('aria-current follows navigation inside the page, Back included', { skip }, async () => {
  const project = writeProject('dulcamon', dlcgParams({ glide: 0 }), dlcgItems([
    { caption: 'Top', url: '#top' }, { caption: 'More', kids: [{ caption: 'Part A', url: '#a' }, { caption: 'Part B', url: '#b' }] },
  ]));
  const site = publish('dulcamon', project, 'menu');
  await withPage(site.url, async (page) => {
    const current = () => page.$$eval('[aria-current=page]', (e) => e.map((x) => x.textContent));
    assert.deepEqual(await current(), []);
    await link(page, 'Top').click();
    assert.deepEqual(await current(), ['Top']);
    await toggle(page, 'More').click();
    await link(page, 'Part B').click();
    await page.waitForURL(/#b$/);
    await toggle(page, 'More').click();
    assert.deepEqual(await current(), ['Part B']);
    await page.goBack();
    await page.waitForURL(/#top$/);
    assert.deepEqual(await current(), ['Top']);
  });
});

test('sub-menus are made when first opened; colours come from one rule per colour set', { skip }, async () => {
  const looks = [{ bg: '112233', fg: 'FFFFFF' }, { bg: 'FFEEDD', fg: '000000' }];
  const tree = Array.from({ length: 20 }, (_, i) => ({ caption: `Top ${i}`, url: `t${i}.html`, ...looks[i % 2],
    kids: Array.from({ length: 10 }, (__, j) => ({ caption: `Sub ${i}.${j}`, url: `s${i}-${j}.html`, ...looks[j % 2],
      kids: [{ caption: `Leaf ${i}.${j}`, url: 'leaf.html', ...looks[0] }] })) }));
  const site = publish('dulcamon', writeProject('dulcamon', dlcgParams({ glide: 0 }), dlcgItems(tree)), 'menu');
  await withPage(site.url, async (page) => {
    assert.equal(await page.locator('nav li').count(), 20, 'only the main items are made at load');
    const inline = await page.$$eval('nav li', (e) => e.filter((li) => [...li.style].some((p) => p.startsWith('--'))).length);
    assert.equal(inline, 0, 'no custom properties written onto items');
    await toggle(page, 'Top 3').click();
    assert.equal(await page.locator('nav li').count(), 30);
    assert.equal(await link(page, 'Sub 3.4').isVisible(), true);
    await toggle(page, 'Top 3').click();
    await toggle(page, 'Top 3').click();
    assert.equal(await page.locator('nav li').count(), 30, 'made once');
    const rules = await page.evaluate(() => [...document.querySelector('style').sheet.cssRules].filter((r) => /\.dlcm-k\d+$/.test(r.selectorText)).length);
    assert.equal(rules, 2, 'one rule per colour set');
    assert.equal(await page.locator('nav li', { hasText: 'Top 5' }).first().evaluate((li) => getComputedStyle(li).backgroundColor), 'rgb(255, 238, 221)');
  });
});
