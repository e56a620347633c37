// Timings of the phone remote, on this machine's clock:
//   node web_latency.js commands PORT TOKEN COUNT LOG LINE
//     from each POST /api/v1/command PLAY sent to a new line LINE in the
//     stand-in player's log LOG;
//   node web_latency.js events PORT TOKEN COUNT TRIGGER LOG
//     from each change made in the player, pausing or playing it by
//     TRIGGER (a shell command given "40046 0" or "40045 0"), to the state
//     event on the stream that tells it; the change is timed from the
//     moment the player's log LOG shows it got the message;
//   node web_latency.js streams PORT TOKEN COUNT SECONDS
//     holds COUNT event streams open for SECONDS.
// Prints "median <ms> worst <ms>" (or nothing for streams). A measurement.
'use strict';
const fs = require('fs');
const http = require('http');
const { spawn } = require('child_process');

const [mode, port, token, countText, ...rest] = process.argv.slice(2);
const count = Number(countText);
const headers = { Host: `127.0.0.1:${port}`, Authorization: `Bearer ${token}` };
const now = () => Number(process.hrtime.bigint()) / 1e6;
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

function post(path, body) {
  return new Promise((resolve, reject) => {
    const data = JSON.stringify(body);
    const request = http.request({ host: '127.0.0.1', port, path, method: 'POST',
      headers: { ...headers, 'Content-Type': 'application/json', 'Content-Length': Buffer.byteLength(data) } },
    (reply) => { reply.resume(); reply.on('end', () => resolve(reply.statusCode)); });
    request.on('error', reject);
    request.end(data);
  });
}

function stream(onState) {
  const request = http.request({ host: '127.0.0.1', port, path: '/api/v1/events', headers });
  request.on('response', (reply) => {
    let buffer = '';
    reply.on('data', (chunk) => {
      buffer += chunk;
      for (let end; (end = buffer.indexOf('\n\n')) >= 0; buffer = buffer.slice(end + 2)) {
        const data = buffer.slice(0, end).split('\n').find((l) => l.startsWith('data: '));
        if (data && onState) onState(JSON.parse(data.slice(6)), now());
      }
    });
  });
  request.end();
  return request;
}

function summary(times) {
  times.sort((a, b) => a - b);
  const median = times[Math.floor(times.length / 2)];
  console.log(`median ${median.toFixed(1)} worst ${times[times.length - 1].toFixed(1)} of ${times.length}`);
}

const lines = (file, line) => fs.readFileSync(file, 'latin1').split(/\r?\n/).filter((l) => l === line).length;

async function commands(log, line) {
  const times = [];
  for (let i = 0; i < count; i++) {
    const before = lines(log, line);
    const start = now();
    await post('/api/v1/command', { command: 'PLAY' });
    while (lines(log, line) === before && now() - start < 5000) await sleep(0.5);
    times.push(now() - start);
    await sleep(60);
  }
  summary(times);
}

async function events(trigger, log) {
  let waiting = null;
  const times = [];
  const request = stream((state, at) => {
    if (waiting && state.state === waiting.state) { waiting.told = at; }
  });
  await sleep(1000);
  for (let i = 0; i < count; i++) {
    const id = i % 2 ? '40045' : '40046';
    const line = `273 ${id} 0`;
    const before = lines(log, line);
    waiting = { state: i % 2 ? 'playing' : 'paused', told: null };
    spawn('bash', ['-c', `${trigger} ${id} 0`], { stdio: 'ignore' });
    const start = now();
    while (lines(log, line) === before && now() - start < 10000) await sleep(0.5);
    const changed = now();
    while (!waiting.told && now() - changed < 5000) await sleep(0.5);
    if (waiting.told) times.push(Math.max(0, waiting.told - changed));
    await sleep(300);
  }
  request.destroy();
  summary(times);
}

async function streams(seconds) {
  const open = [];
  for (let i = 0; i < count; i++) open.push(stream(null));
  await sleep(seconds * 1000);
  open.forEach((r) => r.destroy());
}

(mode === 'commands' ? commands(rest[0], rest[1]) : mode === 'events' ? events(rest[0], rest[1]) : streams(Number(rest[0])))
  .catch((e) => { console.error(e.message); process.exit(1); });
