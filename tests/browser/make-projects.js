'use strict';
// Writes the fixture projects of the browser tests and the shipped template projects.
// Run it after changing a definition here: node make-projects.js
const fs = require('node:fs');
const path = require('node:path');
const { writeProject, dlcgParams, dlcgItems, ksdmParams, ksdmItems } = require('./lib/projects');
const { REPO, FIXTURES } = require('./lib/programs');

const TRICKY_CAPTION = 'Say "hi" \\ <b>&amp; co</b>';
const TRICKY_DESC = 'Quotes " and \' and \\ and </script> and <i> & done';

// Vertical fixture: default look, lists open beside their parent; every kind of item.
const tree = [
  { caption: 'Home', url: 'home.html', desc: 'Back to the "front" page \\ <start> & more' },
  { caption: 'Products', url: 'products.html', desc: 'All products', kids: [
    { caption: 'Hardware', kids: [
      { caption: 'Laptops', url: 'laptops.html' },
      { caption: 'Desktops', url: 'desktops.html' },
    ] },
    { caption: 'Software', url: 'software.html', desc: 'Programs "for" you' },
  ] },
  { caption: 'Services', kids: [
    { caption: 'Consulting', url: 'consulting.html', target: '_blank' },
    { caption: 'Training', url: 'training.html', target: '_top' },
    { caption: 'Support', url: 'support.html', target: 'main' },
    { caption: 'Parent', url: 'parent.html', target: '_parent' },
  ] },
  { caption: 'Archive', kids: Array.from({ length: 30 }, (_, i) => ({ caption: `Issue ${i + 1}`, url: `issue${i + 1}.html` })) },
  { caption: TRICKY_CAPTION, url: 'tricky.html', desc: TRICKY_DESC },
  { caption: 'Note' },
];

const fixtures = {
  'vertical.dlcg': writeProject('dulcamon', dlcgParams({ x: 10, y: 10, sx: 80, sy: 0, glide: 0 }), dlcgItems(tree)),
  'horizontal.dlcg': writeProject('dulcamon',
    dlcgParams({ name: 'topbar', align: 1, x: 0, y: 0, gap: 4, sx: 0, sy: 24, glide: 0, bold: 1, italic: 1, size: 13,
      family: 'Verdana, sans-serif', bw: 1, bc: '333366', pad: 4 }),
    dlcgItems(tree.filter((t) => t.caption !== 'Archive'),
      { w: 110, h: 24, bg: 'E8ECF8', bgOver: '334488', fg: '112244', fgOver: 'FFFFFF' })),
  // A list taller than a small viewport whose last entries open sub-menus of their own.
  'tall.dlcg': writeProject('dulcamon', dlcgParams({ x: 10, y: 10, sx: 80, sy: 0, glide: 0 }), dlcgItems([
    { caption: 'Long', kids: [
      ...Array.from({ length: 28 }, (_, i) => ({ caption: `Entry ${i + 1}`, url: `entry${i + 1}.html` })),
      { caption: 'Deep', kids: [{ caption: 'Deeper', url: 'deeper.html' }, { caption: 'Deepest', url: 'deepest.html' }] },
    ] },
  ])),
  'jump.ksdm': writeProject('kestravo', ksdmParams({ tip: 'Choose a page ...' }), ksdmItems([
    { caption: 'Home', url: 'home.html' },
    { caption: 'Products', url: 'products.html', kids: [
      { caption: 'Laptops', url: 'laptops.html', target: 'main' },
      { caption: 'Desktops', url: 'desktops.html', target: 'nowhere' },
    ] },
    { caption: 'News', url: 'news.html', target: '_blank' },
    { caption: 'Top', url: 'top.html', target: '_top' },
    { caption: 'Parent', url: 'parent.html', target: '_parent' },
    { caption: TRICKY_CAPTION, url: 'tricky.html' },
  ])),
};

// Templates: ready-made looks, each three levels deep.
function site(deep) {
  return [
    { caption: 'Home', url: '#home', desc: 'Back to the start page' },
    { caption: 'Products', url: '#products', kids: [
      { caption: 'Hardware', kids: [
        { caption: 'Laptops', url: '#laptops' },
        { caption: 'Desktops', url: '#desktops' },
        { caption: 'Accessories', url: '#accessories' },
      ] },
      { caption: 'Software', kids: [
        { caption: 'Office', url: '#office' },
        { caption: 'Graphics', url: '#graphics' },
      ] },
      { caption: 'Special Offers', url: '#offers' },
    ] },
    { caption: 'Services', kids: [
      { caption: 'Consulting', url: '#consulting' },
      { caption: 'Training', url: '#training', kids: deep ? [
        { caption: 'Courses', url: '#courses' },
        { caption: 'Schedule', url: '#schedule' },
      ] : undefined },
      { caption: 'Support', url: '#support' },
    ] },
    { caption: 'About Us', url: '#about', kids: [
      { caption: 'Company', url: '#company' },
      { caption: 'Contact', url: '#contact', desc: 'Write to us or call us' },
    ] },
  ];
}

const dlcgTemplates = {
  'classic_vertical.dlcg': [
    { x: 20, y: 20, sx: 118, sy: 4, gap: 2, bw: 1, bc: '1E5C5C', pad: 4, size: 12, step: 8, speed: 16,
      filter: 'progid:DXImageTransform.Microsoft.Fade(duration=0.3)' },
    { w: 120, h: 24, bg: '408080', bgOver: '83C0C0', fg: 'FFFFFF', fgOver: '0B2E2E' }],
  'ocean_horizontal.dlcg': [
    { align: 1, x: 0, y: 0, sx: 86, sy: 30, gap: 0, bw: 1, bc: '0B3D91', pad: 6, size: 13, bold: 1,
      family: 'Verdana, Arial, sans-serif', step: 10, speed: 16 },
    { w: 130, h: 30, bg: '1565C0', bgOver: '90CAF9', fg: 'FFFFFF', fgOver: '0B3D91' }],
  'sunset_vertical.dlcg': [
    { x: 30, y: 30, sx: 146, sy: 6, gap: 4, bw: 2, bc: 'FDDE73', pad: 5, size: 13, italic: 1,
      family: 'Georgia, serif', glide: 0, filter: 'progid:DXImageTransform.Microsoft.GradientWipe(duration=0.4,wipeStyle=1)' },
    { w: 150, h: 26, bg: 'B23A48', bgOver: 'F59E42', fg: 'FFF4E0', fgOver: '3D0C11' }],
  'slate_horizontal.dlcg': [
    { align: 1, x: 10, y: 10, sx: 80, sy: 28, gap: 6, bw: 1, bc: '9AA5B1', pad: 5, size: 12,
      family: 'Tahoma, Arial, sans-serif', click: 1, step: 6, speed: 16 },
    { w: 120, h: 28, bg: '323F4B', bgOver: 'E4E7EB', fg: 'F5F7FA', fgOver: '1F2933' }],
  'meadow_cascade.dlcg': [
    { x: 20, y: 20, sx: 60, sy: 16, gap: 0, bw: 2, bc: '2E7D32', pad: 3, size: 12,
      filter: 'progid:DXImageTransform.Microsoft.Iris(duration=0.35)' },
    { w: 110, h: 22, bg: 'E8F5E9', bgOver: '2E7D32', fg: '1B5E20', fgOver: 'FFFFFF' }],
};

const ksdmTemplates = {
  'classic_blue.ksdm': { width: 220, tip: 'Please select a page ...', size: 12, tipColor: '222222', mainBg: '4A68A8',
    subColor: '4A5775', altColor: '4A5775' },
  'graphite.ksdm': { width: 240, tip: 'Go to ...', family: 'Tahoma, Arial, sans-serif', size: 13, color: 'E4E7EB', bg: '323F4B',
    tipColor: '323F4B', tipBg: 'CBD2D9', mainColor: 'FFFFFF', mainBg: '1F2933', subColor: '1F2933', subBg: 'E4E7EB',
    altColor: '1F2933', altBg: 'F5F7FA' },
  'autumn.ksdm': { width: 200, tip: 'Jump to ...', family: 'Georgia, serif', size: 13, italic: 1, color: '3D0C11', bg: 'FFF4E0',
    tipColor: 'FFFFFF', tipBg: 'B23A48', mainColor: 'FFFFFF', mainBg: 'B8380A', subColor: '5C2B06', subBg: 'FFE8CC',
    altColor: '5C2B06', altBg: 'FFF4E6' },
  'mint.ksdm': { width: 260, tip: 'Select a section ...', family: 'Verdana, sans-serif', size: 11, bold: 1, color: '1B5E20',
    bg: 'F1F8F2', tipColor: '1B5E20', tipBg: 'C8E6C9', mainColor: 'FFFFFF', mainBg: '2E7D32', subColor: '1B5E20',
    subBg: 'E8F5E9', altColor: '1B5E20', altBg: 'FFFFFF' },
};

function write(dir, name, buf) {
  fs.mkdirSync(dir, { recursive: true });
  fs.writeFileSync(path.join(dir, name), buf);
}

for (const [name, buf] of Object.entries(fixtures)) write(FIXTURES, name, buf);
for (const [name, [params, look]] of Object.entries(dlcgTemplates)) {
  write(path.join(REPO, 'dulcamon/share/templates'), name,
    writeProject('dulcamon', dlcgParams(params), dlcgItems(site(name !== 'meadow_cascade.dlcg'), look)));
}
for (const [name, params] of Object.entries(ksdmTemplates)) {
  write(path.join(REPO, 'kestravo/share/templates'), name, writeProject('kestravo', ksdmParams(params), ksdmItems(site(true))));
}
console.log('fixtures and templates written');
