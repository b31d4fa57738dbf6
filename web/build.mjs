// Makes the one self-contained page: the page's scripts bundled by esbuild, the
// WebAssembly module (already inlined into its loader) and the style sheet, all put
// into page.html. Usage: node build.mjs BUILD_DIR  (reads BUILD_DIR/wasm/comet-web.js,
// writes BUILD_DIR/comet-workbench.html)
import { build } from 'esbuild';
import { readFileSync, writeFileSync } from 'node:fs';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
const buildDir = resolve(process.argv[2] ?? join(here, '..', 'build-web'));

// A script inside <script> must not close the element early.
const inlineScript = (code) => code.replaceAll('</script', '<\\/script');

const bundle = await build({
  entryPoints: [join(here, 'src', 'main.js')],
  bundle: true,
  format: 'iife',
  minify: true,
  target: 'es2022',
  write: false,
  legalComments: 'none',
});
const page = readFileSync(join(here, 'page.html'), 'utf8');
const parts = {
  '/*STYLE*/': readFileSync(join(here, 'src', 'style.css'), 'utf8'),
  '/*MODULE*/': inlineScript(readFileSync(join(buildDir, 'wasm', 'comet-web.js'), 'utf8')),
  '/*PAGE*/': inlineScript(bundle.outputFiles[0].text),
};
let html = page;
for (const [mark, content] of Object.entries(parts)) html = html.replace(mark, () => content);
const out = join(buildDir, 'comet-workbench.html');
writeFileSync(out, html);
console.log(`${out}: ${html.length} bytes`);
