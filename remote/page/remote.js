// The phone's side of the remote: pairing, the live connection to the console
// (kept up by itself), the buttons and the tree drawn from the lamps it is sent.
"use strict";

const TOKEN_KEY = "glimmerbox.token";
const CLIENT_KEY = "glimmerbox.client";
const $ = (id) => document.getElementById(id);

// One id per browser and a rising number per command: the console runs each command once.
function clientId() {
  let id = localStorage.getItem(CLIENT_KEY);
  if (!id || !/^[A-Za-z0-9_-]{1,40}$/.test(id)) {
    const bytes = new Uint8Array(12);
    crypto.getRandomValues(bytes);
    id = Array.from(bytes, (b) => b.toString(16).padStart(2, "0")).join("");
    localStorage.setItem(CLIENT_KEY, id);
  }
  return id;
}

const client = clientId();
let seq = Date.now();  // rises across reloads too
let socket = null;
let welcomed = false;
let retryMs = 500;
let retryTimer = null;
let unacked = null;    // the last command sent and not yet acknowledged
let state = null;

function setLink(text, on) {
  $("link").textContent = text;
  $("link").className = on ? "on" : "off";
  for (const b of document.querySelectorAll("#buttons button, #master"))
    b.disabled = !on;
}

function show(view) {
  $("pairing").hidden = view !== "pairing";
  $("show").hidden = view !== "show";
}

function send(message) {
  if (socket && socket.readyState === WebSocket.OPEN)
    socket.send(JSON.stringify(message));
}

function connect() {
  clearTimeout(retryTimer);
  retryTimer = null;
  if (socket && (socket.readyState === WebSocket.OPEN || socket.readyState === WebSocket.CONNECTING))
    return;
  welcomed = false;
  socket = new WebSocket((location.protocol === "https:" ? "wss://" : "ws://") + location.host + "/live");
  socket.onopen = () => {
    retryMs = 500;
    const token = localStorage.getItem(TOKEN_KEY);
    if (token) {
      send({ type: "hello", token: token });
    } else {
      setLink("Connected", true);
      show("pairing");
    }
  };
  socket.onmessage = (event) => receive(event.data);
  socket.onclose = () => {
    socket = null;
    setLink("Reconnecting", false);
    retryTimer = setTimeout(connect, retryMs);
    retryMs = Math.min(retryMs * 2, 4000);
  };
  socket.onerror = () => {};
}

function receive(text) {
  let m;
  try { m = JSON.parse(text); } catch (e) { return; }
  if (m.type === "paired") {
    localStorage.setItem(TOKEN_KEY, m.token);
    $("pairNote").textContent = "";
    welcome();
  } else if (m.type === "welcome") {
    welcome();
  } else if (m.type === "refused") {
    if (m.reason === "not paired") {
      localStorage.removeItem(TOKEN_KEY);
      welcomed = false;
      setLink("Connected", true);
      show("pairing");
    } else if (!welcomed) {
      $("pairNote").textContent = m.reason;
    } else {
      $("note").textContent = "Refused: " + m.reason;
    }
  } else if (m.type === "ack") {
    if (unacked && unacked.seq === m.seq)
      unacked = null;
  } else if (m.type === "state") {
    state = m;
    drawState();
  }
}

function welcome() {
  welcomed = true;
  setLink("Connected", true);
  show("show");
  // A command cut off by the drop goes again: the console has it at most once.
  if (unacked && Date.now() - unacked.at < 2000)
    send(unacked.message);
  else
    unacked = null;
}

function command(op, value) {
  if (!welcomed || !socket || socket.readyState !== WebSocket.OPEN)
    return;  // nothing is kept to fire later: a late GO on stage is worse than none
  const message = { type: "cmd", client: client, seq: ++seq, op: op };
  if (value !== undefined)
    message.value = value;
  unacked = { seq: message.seq, message: message, at: Date.now() };
  $("note").textContent = "";
  send(message);
}

function cueText(number, name) {
  return number > 0 ? number + "  " + name : "-";
}

function drawState() {
  const s = state;
  $("cue").textContent = s.running ? cueText(s.cue, s.cueName) : "Stopped";
  $("next").textContent = cueText(s.nextCue, s.nextName);
  $("running").textContent = s.running ? (s.paused ? "Paused" : "Running") : "Stopped";
  $("mode").textContent = s.mode;
  $("lines").textContent = s.lines;
  $("pause").textContent = s.paused ? "CONTINUE" : "PAUSE";
  $("pause").classList.toggle("on-state", s.paused);
  $("blackout").classList.toggle("on-state", s.blackout);
  $("start").hidden = s.running;
  $("go").hidden = !s.running;
  if (document.activeElement !== $("master")) {
    $("master").value = s.master;
    $("masterValue").textContent = s.master;
  }
  drawTree(s.running ? s.tree : null);
}

// The tree as rows of lamps, narrow at the top, each lamp striped in its six circuits.
function drawTree(tree) {
  const canvas = $("tree");
  const g = canvas.getContext("2d");
  g.fillStyle = "#000";
  g.fillRect(0, 0, canvas.width, canvas.height);
  if (!tree)
    return;
  const colour = (c) => (c ? "#" + c : "#222");
  const rows = tree.rows.length;
  const top = 42;
  const rowH = rows ? Math.min(22, (canvas.height - top - 30) / rows) : 0;
  const lampW = rows ? Math.min(14, (canvas.width - 40) / (2 * rows)) : 0;
  const mid = canvas.width / 2;
  // Star and cross above the top tier.
  g.fillStyle = colour(tree.star);
  g.beginPath();
  for (let i = 0; i < 10; ++i) {
    const r = i % 2 ? 6 : 15, a = -Math.PI / 2 + (i * Math.PI) / 5;
    g.lineTo(mid + r * Math.cos(a), 18 + r * Math.sin(a));
  }
  g.fill();
  g.fillStyle = colour(tree.cross);
  g.fillRect(mid - 2, 30, 4, 10);
  g.fillRect(mid - 6, 33, 12, 3);
  tree.rows.forEach((row, t) => {
    const count = 2 * (t + 1);
    const y = top + t * rowH;
    const x0 = mid - (count * lampW) / 2;
    for (let i = 0; i < count; ++i)
      for (let c = 0; c < 6; ++c) {
        g.fillStyle = colour(row.s[c]);
        g.fillRect(x0 + i * lampW + 1, y + (c * (rowH - 3)) / 6, lampW - 2, (rowH - 3) / 6 + 0.5);
      }
    [0, 1, 2, 3].forEach((k) => {
      g.fillStyle = colour(row.o[k]);
      const x = k < 2 ? x0 - 8 - k * 5 : x0 + count * lampW + 3 + (k - 2) * 5;
      g.fillRect(x, y + rowH / 3, 4, 4);
    });
  });
  if (tree.chest.length) {
    const y = top + rows * rowH + 4;
    tree.chest.forEach((c, i) => {
      g.fillStyle = colour(c);
      g.fillRect(mid - 45 + i * 15, y, 12, 12);
    });
  }
}

$("pairForm").addEventListener("submit", (event) => {
  event.preventDefault();
  const code = $("code").value.trim();
  if (!/^[0-9]{6}$/.test(code)) {
    $("pairNote").textContent = "The code has six digits";
    return;
  }
  send({ type: "pair", code: code, name: $("name").value.slice(0, 32) || "Phone" });
});
for (const op of ["go", "back", "pause", "blackout", "stop", "start"])
  $(op).addEventListener("click", () => command(op));
$("master").addEventListener("input", () => { $("masterValue").textContent = $("master").value; });
$("master").addEventListener("change", () => command("master", Number($("master").value)));

// Back from a locked screen or a lost network: connect again at once.
document.addEventListener("visibilitychange", () => { if (!document.hidden) connect(); });
window.addEventListener("online", connect);
window.addEventListener("pageshow", connect);

setLink("Connecting", false);
connect();
