// What the phone tests share: Debian's Chromium as a phone (a Pixel 5), a
// check printed as "ok <what>" or "FAIL <what>", and a wait for a test to
// hold.
'use strict';
const puppeteer = require('puppeteer-core');

const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

function check(what, passed) {
  console.log(`${passed ? 'ok' : 'FAIL'} ${what}`);
}

// True once `test` resolves truthy, tried every 200 ms for `seconds`.
async function until(seconds, test) {
  for (const end = Date.now() + seconds * 1000; Date.now() < end; await sleep(200)) {
    try { if (await test()) return true; } catch (e) { /* the page is between states */ }
  }
  return false;
}

async function phone() {
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium', headless: true, args: ['--no-sandbox', '--disable-gpu'],
  });
  const page = await browser.newPage();
  await page.emulate(puppeteer.KnownDevices['Pixel 5']);
  return { browser, page };
}

module.exports = { sleep, check, until, phone };
