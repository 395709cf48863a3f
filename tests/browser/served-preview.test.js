'use strict';
// The applet programs' pages served by --serve: over HTTP the parameters file and the news texts
// load, the page always carries the script runtime, and an edit of the project or of an item's
// file reloads the open page.
const { test, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { skipReason, freshDir } = require('./lib/programs');
const { closeBrowser } = require('./lib/browser');
const { share, editVantrel } = require('./lib/applets');
const { serve, openServed } = require('./lib/serve');

after(closeBrowser);

const vantrelSkip = skipReason('vantrel');
const osmerinSkip = skipReason('osmerin');

// A project folder with the template's pictures and texts beside the project.
function projectFolder(product, name, text) {
  const dir = freshDir(`${product}-${name}`);
  for (const f of fs.readdirSync(share(product, 'templates'))) fs.copyFileSync(share(product, 'templates', f), path.join(dir, f));
  const file = path.join(dir, name + (product === 'vantrel' ? '.vtp' : '.osn'));
  fs.writeFileSync(file, text, 'latin1');
  return file;
}

// Replaces a file the way an editor saves it.
function rewrite(file, text) {
  fs.writeFileSync(file + '.new', text, 'latin1');
  fs.renameSync(file + '.new', file);
}

// Marks the loaded document; the mark is gone once the page has reloaded.
const mark = (page) => page.evaluate(() => { window.__sameDocument = true; });
const reloaded = (page, timeout) => page.waitForFunction(() => !window.__sameDocument, null, { timeout });

test('vantrel --serve: a page with a parameters file draws its menu and follows edits', { skip: vantrelSkip }, async () => {
  const base = fs.readFileSync(share('vantrel', 'templates', 'ocean_glide.vtp'), 'latin1');
  const project = projectFolder('vantrel', 'params', editVantrel(base, { app: { 62: '1' } }));
  const served = serve('vantrel', project);
  try {
    const url = await served.url;
    assert.match(url, /^http:\/\/127\.0\.0\.1:\d+\/[0-9a-f]{32}\/~preview\.html$/);
    const s = await openServed(url);
    try {
      const { page } = s;
      await page.locator('.v20-item').first().waitFor();
      assert.equal(await page.locator('.v20-note').count(), 0, 'the parameters file loaded');
      assert.ok(await page.locator('.v20-item').count() > 1);
      // Published without the runtime option, the page would show nothing in today's browsers.
      const notice = page.locator('#kzt-preview-notice');
      await notice.waitFor();
      assert.match(await notice.textContent(), /--script-runtime/);

      await mark(page);
      const renamed = editVantrel(fs.readFileSync(project, 'latin1'), { app: { 62: '1' }, item: (n) => (n === 0 ? { 60: 'Served caption' } : {}) });
      rewrite(project, renamed);
      await reloaded(page, 5000);
      await page.locator('.v20-item').first().waitFor();
      assert.match(await page.locator('.v20-item .v20-text').first().textContent(), /Served caption/);
    } finally {
      await s.close();
    }
  } finally {
    await served.stop();
  }
});

test('osmerin --serve: items kept in text files show their texts and follow edits of them', { skip: osmerinSkip }, async () => {
  const text = fs.readFileSync(share('osmerin', 'templates', 'textfile_news.osn'), 'latin1');
  const project = projectFolder('osmerin', 'texts', text);
  const served = serve('osmerin', project, ['--script-runtime']);
  try {
    const s = await openServed(await served.url);
    try {
      const { page } = s;
      await page.waitForFunction(() => document.querySelector('.osmeral') && !document.querySelector('.os-loading'));
      const box = page.getByRole('region', { name: 'News' });
      assert.match(await box.textContent(), /Office hours change from 1 June/);
      assert.doesNotMatch(await box.textContent(), /only from a web server/);
      // Published with the runtime: no notice.
      assert.equal(await page.locator('#kzt-preview-notice').count(), 0);

      await mark(page);
      rewrite(path.join(path.dirname(project), 'hours.txt'), 'Office hours change from 1 July.\r\n');
      await reloaded(page, 5000);
      await page.waitForFunction(() => document.querySelector('.osmeral') && !document.querySelector('.os-loading'));
      assert.match(await page.getByRole('region', { name: 'News' }).textContent(), /from 1 July/);

      // A damaged project keeps the page and says why in it.
      await mark(page);
      rewrite(project, 'nonsense\r\n');
      const notice = page.locator('#kzt-preview-notice');
      await notice.waitFor({ timeout: 5000 });
      assert.match(await notice.textContent(), /cannot be read/);
      assert.equal(await page.evaluate(() => window.__sameDocument), true, 'the last good page stays');
      assert.match(served.stderr(), /last version that could be read/);
    } finally {
      await s.close();
    }
  } finally {
    await served.stop();
  }
});
