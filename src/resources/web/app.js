// The remote on a phone: the skin picture with a key over each command's
// key, the read-outs and patches as the main window shows them, live from
// the program's event stream; pairing when the phone is not paired yet.
'use strict';

// A held key repeats as a held handset key does.
const repeating = new Set(['VOLUME UP', 'VOLUME DOWN', 'REW', 'FF']);
const repeatMs = 200;
const retryMs = 2000;
const volumePaceMs = 150;

const byId = (id) => document.getElementById(id);
let layout = null;
let events = null;
let retry = null;
let patches = {};
let readouts = {};
let sliding = false;

function show(view) {
  byId('pairing').hidden = view !== 'pairing';
  byId('remote').hidden = view !== 'remote';
  byId('list').hidden = view !== 'list';
}

function json(method, path, body) {
  return fetch(path, {
    method,
    credentials: 'same-origin',
    headers: body === undefined ? {} : { 'Content-Type': 'application/json' },
    body: body === undefined ? undefined : JSON.stringify(body),
  });
}

function unpaired() {
  if (events) { events.close(); events = null; }
  byId('offline').hidden = true;
  show('pairing');
  byId('code').focus();
}

async function send(path, body) {
  try {
    const reply = await json('POST', path, body);
    if (reply.status === 401) unpaired();
  } catch (e) {
    byId('offline').hidden = false;
  }
}

function phoneName() {
  const agent = navigator.userAgent;
  if (/iPhone/.test(agent)) return 'iPhone';
  if (/iPad/.test(agent)) return 'iPad';
  if (/Android/.test(agent)) return 'Android phone';
  return 'Phone';
}

async function pair(code) {
  code = code.replace(/\D/g, '');
  let reply;
  try {
    reply = await json('POST', '/api/v1/pair', { code, name: phoneName() });
  } catch (e) {
    byId('pair-error').textContent = 'Not connected';
    show('pairing');
    return;
  }
  if (reply.ok) {
    byId('pair-error').textContent = '';
    history.replaceState(null, '', '/');
    start();
    return;
  }
  byId('pair-error').textContent = reply.status === 403 ? 'Wrong code'
    : reply.status === 429 ? 'The code is no longer valid: pair again on the PC' : 'Pairing failed';
  show('pairing');
}

// Seven segments a to g of each character the read-outs show.
const segmentsOf = {
  '0': 'abcdef', '1': 'bc', '2': 'abdeg', '3': 'abcdg', '4': 'bcfg', '5': 'acdfg',
  '6': 'acdefg', '7': 'abc', '8': 'abcdefg', '9': 'abcdfg', '-': 'g', ' ': '',
};
const segmentShapes = {
  a: '2,1 8,1 7,2 3,2', b: '8,1 9,2 9,8 8,9 8,2', c: '8,9 9,10 9,16 8,17 8,10',
  d: '3,16 7,16 8,17 2,17', e: '1,10 2,9 2,17 1,16', f: '1,2 2,1 2,9 1,8', g: '2,9 8,9 7,10 3,10',
};

function drawReadout(svg, text) {
  svg.setAttribute('aria-label', text);
  const cells = [...text].map((c) => (c === ':' ? 4 : 11));
  const width = Math.max(cells.reduce((a, b) => a + b, 0), 1);
  svg.setAttribute('viewBox', `0 0 ${width} 18`);
  svg.replaceChildren();
  let x = 0;
  for (const c of text) {
    if (c === ':') {
      for (const y of [5, 12]) {
        const dot = document.createElementNS('http://www.w3.org/2000/svg', 'rect');
        dot.setAttribute('x', x + 1); dot.setAttribute('y', y);
        dot.setAttribute('width', 2); dot.setAttribute('height', 2);
        svg.appendChild(dot);
      }
      x += 4;
      continue;
    }
    for (const s of segmentsOf[c] || '') {
      const p = document.createElementNS('http://www.w3.org/2000/svg', 'polygon');
      p.setAttribute('points', segmentShapes[s].split(' ')
        .map((pt) => pt.split(',').map(Number)).map(([px, py]) => `${px + x},${py}`).join(' '));
      svg.appendChild(p);
    }
    x += 11;
  }
}

function place(element, r) {
  element.style.left = `${(100 * r.x) / layout.width}%`;
  element.style.top = `${(100 * r.y) / layout.height}%`;
  element.style.width = `${(100 * r.w) / layout.width}%`;
  element.style.height = `${(100 * r.h) / layout.height}%`;
}

function holdable(button, command) {
  let timer = null;
  const release = () => {
    button.classList.remove('pressed');
    if (timer) { clearInterval(timer); timer = null; }
  };
  button.addEventListener('pointerdown', (e) => {
    e.preventDefault();
    if (button.setPointerCapture) { try { button.setPointerCapture(e.pointerId); } catch (_) { /* gone */ } }
    button.classList.add('pressed');
    send('/api/v1/command', { command });
    if (repeating.has(command)) timer = setInterval(() => send('/api/v1/command', { command }), repeatMs);
  });
  for (const end of ['pointerup', 'pointercancel', 'lostpointercapture']) button.addEventListener(end, release);
  // A keyboard or a screen reader presses without a pointer.
  button.addEventListener('click', (e) => { if (e.detail === 0) send('/api/v1/command', { command }); });
  button.addEventListener('contextmenu', (e) => e.preventDefault());
}

// The skin's magenta is the window's shape, not a colour: it is made
// transparent, and the keys are placed on the picture's own pixels.
function pictureLoaded() {
  const picture = byId('skin-picture');
  return new Promise((resolve) => {
    const keyOut = () => {
      const canvas = document.createElement('canvas');
      canvas.width = picture.naturalWidth;
      canvas.height = picture.naturalHeight;
      const context = canvas.getContext('2d');
      context.drawImage(picture, 0, 0);
      const pixels = context.getImageData(0, 0, canvas.width, canvas.height);
      for (let i = 0; i < pixels.data.length; i += 4) {
        if (pixels.data[i] === 255 && pixels.data[i + 1] === 0 && pixels.data[i + 2] === 255) pixels.data[i + 3] = 0;
      }
      context.putImageData(pixels, 0, 0);
      canvas.id = 'skin-canvas';
      picture.replaceWith(canvas);
      resolve({ width: canvas.width, height: canvas.height });
    };
    if (picture.complete && picture.naturalWidth) keyOut();
    else picture.addEventListener('load', keyOut, { once: true });
  });
}

function build() {
  const skin = byId('skin');
  for (const k of layout.keys) {
    const button = document.createElement('button');
    button.type = 'button';
    button.setAttribute('aria-label', k.command);
    place(button, k);
    holdable(button, k.command);
    skin.appendChild(button);
  }
  for (const [name, r] of Object.entries(layout.patches)) {
    const patch = document.createElement('div');
    patch.className = 'patch';
    place(patch, r);
    skin.appendChild(patch);
    patches[name] = patch;
  }
  for (const [name, r] of Object.entries(layout.readouts || {})) {
    const svg = document.createElementNS('http://www.w3.org/2000/svg', 'svg');
    svg.setAttribute('class', 'readout');
    svg.setAttribute('role', 'img');
    svg.setAttribute('preserveAspectRatio', 'xMaxYMid meet');
    place(svg, r);
    skin.appendChild(svg);
    readouts[name] = svg;
  }
  const volume = byId('volume');
  let last = 0;
  let pending = null;
  const sendLevel = () => {
    pending = null;
    last = Date.now();
    send('/api/v1/volume', { level: Number(volume.value) });
  };
  volume.addEventListener('pointerdown', () => { sliding = true; });
  volume.addEventListener('input', () => {
    if (pending) return;
    const wait = Math.max(0, last + volumePaceMs - Date.now());
    pending = setTimeout(sendLevel, wait);
  });
  volume.addEventListener('change', () => { sliding = false; if (pending) clearTimeout(pending); sendLevel(); });
}

function twoDigits(n) { return n < 10 ? `0${n}` : String(n); }

// What the main window shows of the same state.
function render(s) {
  const play = s.state === 'none' ? 'stopped' : s.state;
  const shown = {
    IWOn: !s.player, IMute: !s.muted, IIR: true,
    IPlay: play !== 'playing', IPause: play !== 'paused', IStop: play !== 'stopped',
    IRepeat: !s.repeat, INonRepeat: !!s.repeat, IAleator: !s.shuffle, INonAleator: !!s.shuffle,
  };
  for (const [name, patch] of Object.entries(patches)) patch.hidden = !shown[name];
  const seconds = Math.trunc((s.position_ms || 0) / 1000);
  if (readouts.time) drawReadout(readouts.time, `${twoDigits(Math.trunc(seconds / 60))}:${twoDigits(seconds % 60)}`);
  const track = s.typed ? s.typed : s.player ? (s.track === null ? '--' : String(s.track)) : '';
  if (readouts.track) drawReadout(readouts.track, track);
  byId('title').textContent = s.title || '';
  if (s.list !== undefined) listNumber(s.list);
  if (list.known && list.position !== s.track) {
    list.position = s.track;
    drawRows();
  }
  if (!sliding && s.volume !== null) byId('volume').value = s.volume;
}

// The play list: a window of rows over a scrolled height, never the whole
// list in the page; pages of titles fetched as they come into view, and
// fetched again while the program is still reading them.
const rowPx = 48;
const pageSize = 100;
const spareRows = 10;
const listPollMs = 400;
const searchPaceMs = 250;
const list = {
  query: '', pages: new Map(), length: 0, position: null, complete: false, known: false,
  asking: new Set(), round: 0, scrolledToPlaying: false, poll: null, number: null,
};

function listOpen() { return !byId('list').hidden; }

function forgetPages() {
  list.round += 1;
  list.pages.clear();
  list.asking.clear();
  list.known = false;
  for (const button of [...byId('rows').querySelectorAll('button')]) button.remove();
}

async function fetchPage(page) {
  if (list.asking.has(page)) return;
  list.asking.add(page);
  const round = list.round;
  const query = new URLSearchParams({ offset: String(page * pageSize), count: String(pageSize) });
  if (list.query) query.set('q', list.query);
  try {
    const reply = await json('GET', `/api/v1/playlist?${query}`);
    if (reply.status === 401) { unpaired(); return; }
    if (!reply.ok || round !== list.round) return;
    const body = await reply.json();
    if (round !== list.round) return;
    list.pages.set(page, body.items);
    list.length = body.length;
    list.position = body.position;
    list.complete = body.complete;
    list.known = true;
  } catch (e) {
    byId('offline').hidden = false;
  } finally {
    if (round === list.round) list.asking.delete(page);
  }
  if (round === list.round) drawRows();
}

function visibleRange() {
  const rows = byId('rows');
  const first = Math.max(0, Math.floor(rows.scrollTop / rowPx) - spareRows);
  const last = Math.min(list.length, Math.ceil((rows.scrollTop + rows.clientHeight) / rowPx) + spareRows);
  return [first, last];
}

function itemAt(index) {
  const items = list.pages.get(Math.floor(index / pageSize));
  return items ? items[index % pageSize] : undefined;
}

function scrollToPlaying() {
  if (list.scrolledToPlaying || list.query || !list.position) return;
  const rows = byId('rows');
  if (list.length < list.position) return;
  list.scrolledToPlaying = true;
  rows.scrollTop = Math.max(0, (list.position - 1) * rowPx - rows.clientHeight / 2 + rowPx / 2);
}

function drawRows() {
  if (!listOpen()) return;
  const rows = byId('rows');
  byId('rows-height').style.height = `${list.length * rowPx}px`;
  scrollToPlaying();
  const status = byId('list-status');
  if (list.known && list.complete && list.length === 0) status.textContent = list.query ? 'Nothing found' : 'No play list';
  else if (list.known && !list.complete) status.textContent = list.query ? `Searching... ${list.length} found` : 'Reading the list...';
  else status.textContent = '';
  const [first, last] = visibleRange();
  const wanted = new Set();
  for (let i = first; i < last; i += 1) wanted.add(Math.floor(i / pageSize));
  if (!list.known) wanted.add(0);
  for (const page of wanted) if (!list.pages.has(page)) fetchPage(page);
  const shown = new Map();
  for (const button of [...rows.querySelectorAll('button')]) {
    const index = Number(button.dataset.index);
    if (index < first || index >= last) button.remove(); else shown.set(index, button);
  }
  for (let i = first; i < last; i += 1) {
    const item = itemAt(i);
    if (!item) continue;
    let button = shown.get(i);
    if (!button) {
      button = document.createElement('button');
      button.type = 'button';
      button.dataset.index = String(i);
      button.style.top = `${i * rowPx}px`;
      button.addEventListener('click', () => choose(Number(button.dataset.number)));
      rows.appendChild(button);
    }
    button.dataset.number = String(item.number);
    const number = document.createElement('span');
    number.className = 'number';
    number.textContent = `${item.number}.`;
    button.replaceChildren(number, document.createTextNode(item.title === null ? '...' : item.title));
    if (item.number === list.position) button.setAttribute('aria-current', 'true');
    else button.removeAttribute('aria-current');
  }
  // Titles not read yet, or matches still to come: asked again shortly.
  let waiting = !list.known || !list.complete;
  for (let i = first; i < last && !waiting; i += 1) waiting = !itemAt(i) || itemAt(i).title === null;
  clearTimeout(list.poll);
  list.poll = waiting ? setTimeout(refreshList, listPollMs) : null;
}

function refreshList() {
  if (!listOpen()) return;
  const [first, last] = visibleRange();
  const pages = new Set([Math.floor(first / pageSize)]);
  for (let i = first; i < last; i += 1) pages.add(Math.floor(i / pageSize));
  for (const page of pages) { list.pages.delete(page); fetchPage(page); }
}

// The view opens on the whole list, at the playing title.
function openList() {
  byId('search').value = '';
  list.query = '';
  forgetPages();
  list.scrolledToPlaying = false;
  byId('rows').scrollTop = 0;
  show('list');
  drawRows();
}

function closeList() {
  clearTimeout(list.poll);
  list.poll = null;
  show('remote');
}

function choose(number) {
  send('/api/v1/track', { number });
  closeList();
}

function buildList() {
  byId('open-list').addEventListener('click', openList);
  byId('back').addEventListener('click', closeList);
  byId('rows').addEventListener('scroll', () => drawRows(), { passive: true });
  let pace = null;
  byId('search').addEventListener('input', () => {
    clearTimeout(pace);
    pace = setTimeout(() => {
      list.query = byId('search').value.trim();
      forgetPages();
      byId('rows').scrollTop = 0;
      drawRows();
    }, searchPaceMs);
  });
  byId('search').addEventListener('keydown', (e) => { if (e.key === 'Enter') byId('search').blur(); });
}

// The list changed on the PC: what the page holds of it is read again.
function listNumber(number) {
  if (list.number === number) return;
  list.number = number;
  if (listOpen()) { forgetPages(); drawRows(); }
}

function later() {
  if (retry) return;
  retry = setTimeout(() => { retry = null; start(); }, retryMs);
}

function connect() {
  if (events) return;
  events = new EventSource('/api/v1/events');
  events.addEventListener('state', (e) => {
    byId('offline').hidden = true;
    render(JSON.parse(e.data));
  });
  events.onerror = () => {
    byId('offline').hidden = false;
    // A stream the server refused (a forgotten phone) is not tried again
    // by the browser: the state says why.
    if (events && events.readyState === EventSource.CLOSED) {
      events = null;
      later();
    }
  };
}

async function start() {
  try {
    if (!layout) {
      const [read, picture] = await Promise.all([fetch('/layout.json').then((r) => r.json()), pictureLoaded()]);
      layout = { ...read, width: picture.width, height: picture.height };
      build();
      buildList();
    }
    const reply = await json('GET', '/api/v1/state');
    if (reply.status === 401) { unpaired(); return; }
    if (reply.ok) render(await reply.json());
    if (!listOpen()) show('remote');
    connect();
  } catch (e) {
    if (!listOpen()) show('remote');
    byId('offline').hidden = false;
    later();
  }
}

document.addEventListener('visibilitychange', () => {
  if (document.visibilityState !== 'visible') return;
  // A phone that slept holds a dead stream: a new one at once.
  if (events) { events.close(); events = null; }
  if (retry) { clearTimeout(retry); retry = null; }
  if (!byId('remote').hidden || listOpen()) start();
});

byId('pair-form').addEventListener('submit', (e) => {
  e.preventDefault();
  pair(byId('code').value);
});

if (location.pathname === '/pair' && location.hash.length > 1) pair(decodeURIComponent(location.hash.slice(1)));
else start();
