'use strict';
// The applet runtimes on a page served by an ordinary web server: text files in either encoding
// an author's editor writes, requests that never answer, and the parameters-file note.
const { test, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { skipReason } = require('./lib/programs');
const { withPage, closeBrowser } = require('./lib/browser');
const { openServed } = require('./lib/served');
const { share, publishWithRuntime, params, editVantrel, editOsmerin } = require('./lib/applets');

after(closeBrowser);
const osmerinSkip = skipReason('osmerin');
const vantrelSkip = skipReason('vantrel');

// Three text-file items, the rest as the template has them.
function textFileSite(name, files) {
  const base = fs.readFileSync(share('osmerin', 'templates', 'mixed_news.osn'), 'latin1');
  const names = Object.keys(files);
  const site = publishWithRuntime('osmerin', editOsmerin(base, {
    item: (n) => (n < names.length ? { 13: '2', 14: names[n], 17: names[n] } : {}),
  }), name);
  for (const [f, bytes] of Object.entries(files)) fs.writeFileSync(path.join(site.dir, f), bytes);
  return site;
}

test('osmerin: a news text file reads as UTF-8 when it is, else as Windows-1252', { skip: osmerinSkip }, async () => {
  const site = textFileSite('encodings', {
    'utf8.txt': Buffer.from('Café crème – 5 €\r\nsecond line', 'utf8'),
    'cp1252.txt': Buffer.from([0x43, 0x61, 0x66, 0xE9, 0x20, 0x80, 0x35, 0x20, 0x93, 0x71, 0x94, 0x0D, 0x0A, 0x7A]),
    'ascii.txt': Buffer.from('plain text'),
  });
  const s = await openServed(site.dir, path.basename(site.page));
  try {
    await s.page.waitForFunction(() => !document.querySelector('.os-loading'));
    const texts = await s.page.locator('.os-item').evaluateAll((e) => e.slice(0, 3).map((x) => x.textContent));
    assert.deepEqual(texts, ['Café crème – 5 €\nsecond line', 'Café €5 “q”\nz', 'plain text']);
  } finally {
    await s.close();
  }
});

test('osmerin: a text file or picture that never answers lifts the loading cover after 8 s', { skip: osmerinSkip }, async () => {
  const site = textFileSite('hanging', { 'slow.txt': 'never sent', 'fast.txt': 'here at once' });
  const p = params(site.html);
  const picture = Object.keys(p).filter((k) => /^\d+$/.test(k)).map((k) => p[k].split('|')).find((v) => v[13] === '1')[14];
  const s = await openServed(site.dir, path.basename(site.page), { hang: ['slow.txt', picture] });
  try {
    await s.page.waitForFunction(() => document.querySelector('.osmeral'));
    const start = Date.now();
    await s.page.waitForTimeout(1000);
    assert.equal(await s.page.locator('.os-loading').count(), 1, 'covered while the requests are out');
    await s.page.waitForFunction(() => !document.querySelector('.os-loading'), null, { timeout: 12000 });
    const waited = Date.now() - start;
    assert.ok(waited > 6000 && waited < 11000, `lifted after ${waited} ms`);
    assert.equal(await s.page.locator('.os-item').nth(1).textContent(), 'here at once');
    assert.ok(s.asked.includes('slow.txt') && s.asked.includes(picture), `${s.asked}`);
  } finally {
    await s.close();
  }
});

test('vantrel: the parameters-file note wraps in a small box, whole words readable', { skip: vantrelSkip }, async () => {
  const base = fs.readFileSync(share('vantrel', 'templates', 'ocean_glide.vtp'), 'latin1');
  const site = publishWithRuntime('vantrel', editVantrel(base, { app: { 60: '70', 61: '90', 62: '1' } }), 'small');
  await withPage(site.url, async (page) => {
    const note = page.locator('.v20-note');
    const m = await note.evaluate((e) => ({ sw: e.scrollWidth, cw: e.clientWidth, sh: e.scrollHeight, ch: e.clientHeight, oy: getComputedStyle(e).overflowY }));
    assert.ok(m.sw <= m.cw, `no line is wider than the box: ${JSON.stringify(m)}`);
    assert.ok(m.sh <= m.ch || m.oy === 'auto', `the rest scrolls into view: ${JSON.stringify(m)}`);
  });
});
