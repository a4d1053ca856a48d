// What every browser test needs: the built site served on 127.0.0.1 by a
// tiny static server of the test's own, and Debian's Chromium, headless,
// with a fresh profile, driven by puppeteer-core.
import { execFileSync } from 'node:child_process';
import { before, after } from 'node:test';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import puppeteer from 'puppeteer-core';
import { serveFolder } from '../../tools/static_server.mjs';

export const siteDirectory =
  process.env.GOSEI_SITE ?? fileURLToPath(new URL('../../build-web/site', import.meta.url));

// Serves the built site on a free port of 127.0.0.1; resolves to { url, close }.
export function serveSite(root = siteDirectory) {
  return serveFolder(root);
}

export async function launchBrowser() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'gosei-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.GOSEI_CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    args: [
      '--headless',
      '--no-sandbox',
      '--disable-gpu',
      '--disable-quic',
      '--no-first-run',
      '--disable-background-networking',
      '--disable-component-update',
      '--disable-sync',
      '--font-render-hinting=none',
      `--user-data-dir=${profile}`,
    ],
  });
  return {
    browser,
    close: async () => {
      await browser.close();
      fs.rmSync(profile, { recursive: true, force: true });
    },
  };
}

// A page at zoom 1 in a window of the given size, with the site loaded and
// its engine ready.
// Serves the built site and starts Chromium for the tests of the calling
// file, as env.site and env.chromium, then runs ready(env) if given; both
// end after the file's tests.
export function withSiteAndBrowser(ready) {
  const env = {};
  before(async () => {
    env.site = await serveSite();
    env.chromium = await launchBrowser();
    await ready?.(env);
  });
  after(async () => {
    await env.chromium?.close();
    await env.site?.close();
  });
  return env;
}

export async function openPage(browser, url, { width = 800, height = 600, mobile = false } = {}) {
  const page = await browser.newPage();
  await page.setViewport({ width, height, deviceScaleFactor: 1, isMobile: mobile, hasTouch: mobile });
  await page.goto(url, { waitUntil: 'load' });
  await page.waitForSelector('html[data-ready="true"]');
  return page;
}

// The 24 cell texts in the order of gosei-cli --batch: parallel rows 1 to 3,
// then series rows 1 to 3, each row partA, partB, error, combined.
export function gridTexts(page) {
  return page.$$eval('[data-cell]', (cells) =>
    cells.sort((a, b) => a.dataset.cell - b.dataset.cell).map((cell) => cell.textContent),
  );
}

// The id of the message dialog that is open, or null.
export function openDialog(page) {
  return page.evaluate(() => document.querySelector('dialog[open]')?.id ?? null);
}

export async function setBox(page, id, text) {
  await page.$eval(`#${id}`, (box) => {
    box.value = '';
  });
  if (text) await page.type(`#${id}`, text);
}

// Runs gosei-cli --batch natively on the given lines; one array of 25
// fields (outcome and 24 cells) per line.
export function nativeBatch(lines) {
  const output = execFileSync(nativeCli, ['--batch'], { input: lines.join('\n') + '\n' }).toString('utf8');
  return output.trimEnd().split('\n').map((line) => line.split('\t'));
}

export const nativeCli =
  process.env.GOSEI_NATIVE_CLI ?? fileURLToPath(new URL('../../build/cli/gosei-cli', import.meta.url));

// A PNG's pixels as RGBA bytes, decoded by the browser itself.
export async function decodePng(browser, png) {
  const decoder = await browser.newPage();
  const pixels = await decoder.evaluate(async (data) => {
    const image = new Image();
    image.src = `data:image/png;base64,${data}`;
    await image.decode();
    const canvas = new OffscreenCanvas(image.width, image.height);
    const context = canvas.getContext('2d');
    context.drawImage(image, 0, 0);
    return { width: image.width, height: image.height, data: Array.from(context.getImageData(0, 0, image.width, image.height).data) };
  }, Buffer.from(png).toString('base64'));
  await decoder.close();
  return pixels;
}
