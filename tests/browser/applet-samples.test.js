'use strict';
// The shipped sample pages are whole pages: a document type, their encoding and a viewport, so
// that a phone shows them at their own size.
const { test, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { buildDir } = require('./lib/programs');
const { withPage, closeBrowser } = require('./lib/browser');

after(closeBrowser);

test('every built sample page is whole and shows at its own size on a phone', async (t) => {
  const pages = [];
  for (const product of ['dulcamon', 'kestravo', 'vantrel', 'osmerin']) {
    const dir = path.join(buildDir(), 'share', product, 'samples');
    if (!fs.existsSync(dir)) { t.diagnostic(`${dir} not built (target ${product}_share)`); continue; }
    for (const f of fs.readdirSync(dir).filter((x) => x.endsWith('.html'))) pages.push(path.join(dir, f));
  }
  if (!pages.length) return t.skip('no sample built');
  for (const page of pages) {
    const head = fs.readFileSync(page, 'latin1').slice(0, 1024);
    assert.match(head, /^<!DOCTYPE html>\r\n<HTML>\r\n/, page);
    assert.match(head, /<meta charset="utf-8">/, page);
    assert.match(head, /<meta name="viewport" content="width=device-width, initial-scale=1">/, page);
    await withPage('file://' + page, { viewport: { width: 375, height: 667 }, isMobile: true, hasTouch: true }, async (p) => {
      const v = await p.evaluate(() => ({ mode: document.compatMode, width: innerWidth, charset: document.characterSet }));
      assert.deepEqual(v, { mode: 'CSS1Compat', width: 375, charset: 'UTF-8' }, page);
    });
  }
});
