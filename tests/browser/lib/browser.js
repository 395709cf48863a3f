'use strict';
// Debian's chromium driven by playwright-core; every page fails its test on any page or console error.
const assert = require('node:assert/strict');
const { chromium } = require('playwright-core');

const CHROMIUM = process.env.KZT_CHROMIUM || '/usr/bin/chromium';
const ARGS = ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync'];

let browserPromise;
function browser() {
  if (!browserPromise) browserPromise = chromium.launch({ executablePath: CHROMIUM, args: ARGS });
  return browserPromise;
}

async function closeBrowser() {
  if (browserPromise) await (await browserPromise).close();
  browserPromise = null;
}

// Opens a fresh context; records errors and any request that is not a local file.
async function open(url, options = {}) {
  const { media, viewport = { width: 800, height: 600 }, init, ...contextOptions } = options;
  const context = await (await browser()).newContext({ viewport, ...contextOptions });
  const errors = [];
  const remote = [];
  const watch = (page) => {
    page.on('pageerror', (e) => errors.push(`pageerror on ${page.url()}: ${e.message}`));
    page.on('console', (m) => { if (m.type() === 'error') errors.push(`console error on ${page.url()}: ${m.text()}`); });
  };
  context.on('page', watch);
  await context.route('**', (route) => {
    const u = route.request().url();
    if (u.startsWith('file:') || u.startsWith('data:') || u === 'about:blank') return route.continue();
    remote.push(u);
    return route.abort();
  });
  if (init) await context.addInitScript(init);
  const page = await context.newPage();
  if (media) await page.emulateMedia(media);
  if (url) await page.goto(url);
  return {
    context, page, errors, remote,
    async close() {
      await context.close();
      assert.deepEqual(errors, [], 'no page or console errors');
      assert.deepEqual(remote, [], 'no request leaves the local files');
    },
  };
}

// Runs body with an opened page and closes it, failing on errors even when body fails first.
async function withPage(url, options, body) {
  if (typeof options === 'function') { body = options; options = {}; }
  const s = await open(url, options);
  try {
    await body(s.page, s);
  } finally {
    await s.close();
  }
}

module.exports = { browser, closeBrowser, open, withPage, CHROMIUM };
