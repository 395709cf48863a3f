'use strict';
// Contrast ratio of two colours given as six hexadecimal digits, as WCAG 2.1 defines it.
function luminance(hex) {
  const c = [0, 2, 4].map((i) => parseInt(hex.slice(i, i + 2), 16) / 255)
    .map((v) => (v <= 0.03928 ? v / 12.92 : ((v + 0.055) / 1.055) ** 2.4));
  return 0.2126 * c[0] + 0.7152 * c[1] + 0.0722 * c[2];
}

function contrast(a, b) {
  if (!/^[0-9A-Fa-f]{6}$/.test(a) || !/^[0-9A-Fa-f]{6}$/.test(b)) throw new Error(`not a colour: ${a} / ${b}`);
  const [x, y] = [luminance(a), luminance(b)].sort((p, q) => q - p);
  return (x + 0.05) / (y + 0.05);
}

module.exports = { contrast, luminance };
