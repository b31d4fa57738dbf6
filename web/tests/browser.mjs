// Debian's Chromium, headless, driven by playwright-core, with the page opened from disk.
import { chromium } from 'playwright-core';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { buildDir } from './paths.mjs';

export const pageUrl = pathToFileURL(join(buildDir, 'comet-workbench.html')).href;

const FLAGS = ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync'];

// A browser with a fresh profile, closed (and its profile removed) by close(); `locale`
// is the language it tells pages it speaks (the system's when none is given).
export async function launch({ locale } = {}) {
  const profile = mkdtempSync(join(tmpdir(), 'comet-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
    args: FLAGS,
    headless: true,
    viewport: { width: 1000, height: 600 },
    acceptDownloads: true,
    locale,
  });
  return {
    context,
    async close() {
      await context.close();
      rmSync(profile, { recursive: true, force: true });
    },
  };
}

// A page of the workbench, loaded and ready; `errors` collects console errors and page errors.
export async function openWorkbench(context) {
  const page = await context.newPage();
  const errors = [];
  page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
  page.on('pageerror', (e) => errors.push(String(e)));
  await page.goto(pageUrl);
  await page.waitForSelector('body[data-ready="true"]');
  return { page, errors };
}
