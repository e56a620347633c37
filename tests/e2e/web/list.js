// The play list on the phone's page in Debian's Chromium as a phone (a
// Pixel 5), with a paired phone's cookie: the "List" key opens it on the
// playing title, marked and in view, with only a window of its rows in the
// page; scrolled to the end it shows the last title; "Remote" goes back
// without playing; a search narrows it; a tap on a title plays it and goes
// back to the remote; once the player has gone, the list says "No play
// list". Prints "ok <what>" or "FAIL <what>" for each check, and "step
// <name>" where the test does its part, waiting for a file of that name in
// FOLDER where it must wait for the test.
// Usage: node list.js ADDRESS TOKEN TITLE PLAYING SEARCH CHOSEN FOLDER
'use strict';
const fs = require('fs');
const path = require('path');
const { check, until, phone } = require('./browser');

const [address, token, title, playing, search, chosen, folder] = process.argv.slice(2);

(async () => {
  const { browser, page } = await phone();
  await page.setCookie({ name: 'zav_token', value: token, url: address });
  await page.goto(address);
  const hidden = (selector) => page.$eval(selector, (e) => e.hidden);
  const rows = () => page.$$eval('#rows button', (bs) => bs.map((b) => b.textContent));
  const marked = () => page.$eval('#rows button[aria-current="true"]', (b) => {
    const box = b.getBoundingClientRect();
    const view = b.parentElement.getBoundingClientRect();
    return { text: b.textContent, inView: box.top >= view.top && box.bottom <= view.bottom };
  });
  check('the paired phone shows the remote', await until(30, async () => !(await hidden('#remote'))));

  await page.tap('button[aria-label="List"]');
  console.log('step opened');
  check('"List" opens the list view', await until(10, async () => !(await hidden('#list'))));
  check(`it opens on the playing title ("${title} ${playing}"), marked and in view`, await until(60, async () => {
    const m = await marked();
    return m.text.endsWith(`${title} ${playing}`) && m.inView;
  }));
  const shown = (await rows()).length;
  check(`only a window of the list is in the page (${shown} rows)`, shown > 0 && shown < 100);

  await page.$eval('#rows', (r) => { r.scrollTop = r.scrollHeight; });
  check('scrolled to the end, it loads the last titles',
    await until(60, async () => (await rows()).some((t) => t.endsWith(`${title} 10000`))));

  await page.tap('button[aria-label="Remote"]');
  check('"Remote" goes back to the remote', await until(10, async () => !(await hidden('#remote')) && (await hidden('#list'))));
  console.log('step back');

  await page.tap('button[aria-label="List"]');
  await until(10, async () => !(await hidden('#list')));
  await page.type('input[aria-label="Search"]', search);
  check(`a search for "${search}" narrows the list to the titles that hold it`, await until(60, async () => {
    const texts = await rows();
    const status = await page.$eval('#list-status', (s) => s.textContent);
    return texts.length > 1 && texts.length < 50 && texts.every((t) => t.includes(search)) &&
      texts.some((t) => t.endsWith(`${title} ${chosen}`)) && status === '';
  }));
  const target = await page.$$('#rows button');
  let tapped = false;
  for (const button of target) {
    if ((await button.evaluate((b) => b.textContent)).endsWith(`${title} ${chosen}`)) {
      await button.tap();
      tapped = true;
      break;
    }
  }
  check(`a tap on "${title} ${chosen}" goes back to the remote`,
    tapped && await until(10, async () => !(await hidden('#remote')) && (await hidden('#list'))));
  console.log('step tapped');
  await until(120, () => fs.existsSync(path.join(folder, 'closed')));
  await page.tap('button[aria-label="List"]');
  const none = await until(30, async () =>
    (await page.$eval('#list-status', (s) => s.textContent)) === 'No play list' && (await rows()).length === 0);
  check(`with the player gone, the list says "No play list"${none ? '' : ` (it says "${await page.$eval('#list-status', (s) => s.textContent)}", ${(await rows()).length} rows, list view ${await hidden('#list') ? 'hidden' : 'shown'})`}`, none);
  await browser.close();
})().catch((e) => {
  console.log(`FAIL the page could be driven: ${e.message}`);
  process.exit(1);
});
