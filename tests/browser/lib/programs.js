'use strict';
// Runs the programs' command line (--build-html, --publish) on fixture projects, in a private temp folder.
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { execFileSync } = require('node:child_process');
const { readProject } = require('./projects');

const REPO = path.resolve(__dirname, '..', '..', '..');
const FIXTURES = path.resolve(__dirname, '..', 'fixtures');

function buildDir() {
  const d = process.env.KZT_BUILD_DIR || 'build';
  if (path.isAbsolute(d)) return d;
  const fromCwd = path.resolve(d);
  return fs.existsSync(fromCwd) ? fromCwd : path.resolve(REPO, d);
}

function exePath(product) { return path.join(buildDir(), product, product); }

function hasProgram(product) {
  try {
    fs.accessSync(exePath(product), fs.constants.X_OK);
    return true;
  } catch {
    return false;
  }
}

function skipReason(product) {
  return hasProgram(product) ? false
    : `${product} command line not found at ${exePath(product)}: build it, or set KZT_BUILD_DIR`;
}

let scratch;
function tempRoot() {
  if (!scratch) {
    scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'kzt-browser-'));
    process.on('exit', () => fs.rmSync(scratch, { recursive: true, force: true }));
  }
  return scratch;
}

function freshDir(label) {
  return fs.mkdtempSync(path.join(tempRoot(), label.replace(/[^\w-]/g, '_') + '-'));
}

// The tests exercise the working copy of the shipped files, never an installed copy.
function programEnv() {
  const home = path.join(tempRoot(), 'home');
  fs.mkdirSync(home, { recursive: true });
  return {
    ...process.env,
    HOME: home,
    XDG_DATA_HOME: path.join(home, 'data'),
    XDG_CONFIG_HOME: path.join(home, 'config'),
    XDG_CACHE_HOME: path.join(home, 'cache'),
    QT_QPA_PLATFORM: 'offscreen',
    DULCAMON_SHARE_DIR: path.join(REPO, 'dulcamon', 'share'),
    KESTRAVO_SHARE_DIR: path.join(REPO, 'kestravo', 'share'),
    VANTREL_SHARE_DIR: path.join(REPO, 'vantrel', 'share'),
    OSMERIN_SHARE_DIR: path.join(REPO, 'osmerin', 'share'),
  };
}

function run(product, args, cwd) {
  return execFileSync(exePath(product), args, { cwd, env: programEnv(), maxBuffer: 64 << 20, stdio: ['ignore', 'pipe', 'pipe'] });
}

const EXT = { dulcamon: '.dlcg', kestravo: '.ksdm', vantrel: '.vtp', osmerin: '.osn' };

// Links of the fixtures lead to these small pages, so that navigation lands on a real file.
function writeStubPages(dir, names) {
  for (const n of names) {
    const f = path.join(dir, n);
    if (!fs.existsSync(f)) fs.writeFileSync(f, `<!DOCTYPE html><title>${n}</title><h1>${n}</h1>\n`);
  }
}

function linkedFiles(product, project) {
  const { items } = readProject(project);
  const urls = items.map((it) => (product === 'dulcamon' ? it[3] : it[1]));
  return urls.filter((u) => /^[\w-]+\.html$/.test(u));
}

// Publishes a project (a file in fixtures/ or a Buffer) with the program and returns the page's paths.
function publish(product, project, name = 'menu') {
  const buf = Buffer.isBuffer(project) ? project : fs.readFileSync(path.join(FIXTURES, project));
  const dir = freshDir(`${product}-${name}`);
  const src = path.join(dir, 'src');
  const out = path.join(dir, 'site');
  fs.mkdirSync(src);
  fs.mkdirSync(out);
  const file = path.join(src, name + EXT[product]);
  fs.writeFileSync(file, buf);
  run(product, ['--publish', file, '--to', out], dir);
  const page = path.join(out, name + '.html');
  if (!fs.existsSync(page)) throw new Error(`${product} --publish wrote no ${name}.html into ${out}`);
  writeStubPages(out, ['blank.html', ...linkedFiles(product, buf)]);
  return { dir: out, page, url: 'file://' + page };
}

function buildHtml(product, projectFile) {
  return run(product, ['--build-html', projectFile], tempRoot());
}

module.exports = { REPO, FIXTURES, EXT, buildDir, exePath, hasProgram, skipReason, publish, buildHtml, freshDir, writeStubPages, run, programEnv };
