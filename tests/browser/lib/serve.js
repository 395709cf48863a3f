'use strict';
// Runs a program's --serve job and opens its page in Chromium over 127.0.0.1; the pages may fetch
// from that server alone.
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const readline = require('node:readline');
const { spawn } = require('node:child_process');
const { exePath, freshDir, programEnv } = require('./programs');
const { browser } = require('./browser');

// Starts `PRODUCT --serve PROJECT [args]` and resolves with its page's URL (the first output line).
function serve(product, project, args = [], env = {}) {
  const tmp = freshDir(`${product}-serve-tmp`);
  const child = spawn(exePath(product), ['--serve', project, ...args], {
    cwd: path.dirname(project),
    env: { ...programEnv(), TMPDIR: tmp, ...env },
    stdio: ['ignore', 'pipe', 'pipe'],
  });
  let err = '';
  child.stderr.on('data', (d) => { err += d; });
  const exited = new Promise((resolve) => child.on('exit', (code, signal) => resolve({ code, signal })));
  const url = new Promise((resolve, reject) => {
    const lines = readline.createInterface({ input: child.stdout });
    lines.once('line', (line) => resolve(line));
    child.once('exit', () => reject(new Error(`${product} --serve ended before printing its address: ${err}`)));
  });
  return {
    child, url, exited, tmp,
    stderr: () => err,
    async stop() {
      if (child.exitCode === null && child.signalCode === null) child.kill('SIGTERM');
      const end = await exited;
      assert.deepEqual(end, { code: 0, signal: null }, `${product} --serve ends cleanly on SIGTERM`);
      assert.deepEqual(fs.readdirSync(tmp), [], 'its private folder is gone');
    },
  };
}

// A page of the served site with errors recorded; requests anywhere but the server are refused.
async function openServed(url, options = {}) {
  const origin = new URL(url).origin;
  const context = await (await browser()).newContext({ viewport: { width: 800, height: 600 }, ...options });
  const errors = [];
  const remote = [];
  context.on('page', (page) => {
    page.on('pageerror', (e) => errors.push(`pageerror on ${page.url()}: ${e.message}`));
    page.on('console', (m) => { if (m.type() === 'error') errors.push(`console error on ${page.url()}: ${m.text()}`); });
  });
  await context.route('**', (route) => {
    const u = route.request().url();
    if (u.startsWith(origin + '/') || u.startsWith('data:') || u === 'about:blank') return route.continue();
    remote.push(u);
    return route.abort();
  });
  const page = await context.newPage();
  await page.goto(url);
  return {
    context, page, errors, remote,
    async close() {
      await context.close();
      assert.deepEqual(errors, [], 'no page or console errors');
      assert.deepEqual(remote, [], 'no request leaves the preview server');
    },
  };
}

module.exports = { serve, openServed };
