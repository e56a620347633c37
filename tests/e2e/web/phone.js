// The phone remote's page in Debian's Chromium as a phone (a Pixel 5),
// opened at the address the pairing window's QR code holds, so it pairs by
// itself. Prints "ok <what>" or "FAIL <what>" for each check; between steps
// it waits for the test to say, by a file appearing in the folder given,
// that it did its part (ended or restarted the program, forgot the phones).
// Usage: node phone.js PAIR_ADDRESS FOLDER
'use strict';
const fs = require('fs');
const path = require('path');
const { check, until, phone } = require('./browser');

const [pairAddress, folder] = process.argv.slice(2);

async function step(name) {
  console.log(`step ${name}`);
  await until(120, () => fs.existsSync(path.join(folder, name)));
}

(async () => {
  const { browser, page } = await phone();
  await page.goto(pairAddress);
  const text = (selector) => page.$eval(selector, (e) => e.textContent);
  const label = (selector) => page.$eval(selector, (e) => e.getAttribute('aria-label'));
  const hidden = (selector) => page.$eval(selector, (e) => e.hidden);

  check('the code in the address pairs the phone: the page shows the remote',
    await until(15, async () => !(await hidden('#remote'))));
  const cookies = await page.cookies();
  check('and keeps its token in a cookie that scripts cannot read',
    cookies.some((c) => c.name === 'zav_token' && c.httpOnly && c.sameSite === 'Strict') &&
    !(await page.evaluate(() => document.cookie)).includes('zav_token'));
  console.log('step paired');
  const keys = await page.$$eval('#skin button', (b) => b.map((k) => k.getAttribute('aria-label')));
  check(`a key for each of the 25 commands (${keys.length})`, keys.length === 25 && keys.includes('NEXT SONG'));
  await page.tap('button[aria-label="PLAY"]');
  await step('played');
  check('the title follows the player', await until(10, async () => /^Phone song [0-9]+$/.test(await text('#title'))));
  const first = await label('svg.readout');
  check('the time moves', await until(10, async () => (await label('svg.readout')) !== first));
  await step('ended');
  check('"Not connected" when the program ends', await until(15, async () => !(await hidden('#offline'))));
  await step('restarted');
  check('the remote is back when it starts again', await until(30, async () => await hidden('#offline')));
  await step('forgotten');
  check('forgotten, the phone asks for a code again',
    await until(30, async () => !(await hidden('#pairing')) && (await hidden('#remote'))));
  await browser.close();
})().catch((e) => {
  console.log(`FAIL the page could be driven: ${e.message}`);
  process.exit(1);
});
