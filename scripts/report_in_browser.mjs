// Opens a traffic report in headless Chromium and checks it as a user would see it:
//   - the page loads from disk without a single request elsewhere and without a console error or
//     an uncaught exception;
//   - its script ran (the map is ready), pointing at a base shows its tooltip, the zoom button
//     zooms, and the map shows land, routes and bases: the screenshot's map area has many
//     colours, route pixels among them;
//   - the figures of its JSON block equal those counted in Flightplans-GA.dat beside it (plans,
//     legs, planes) when that file is there.
// Writes the screenshot (the first screen of the page) to SCREENSHOT.
//
//   node scripts/report_in_browser.mjs REPORT.html SCREENSHOT.png [CHROMIUM]
//
// Talks to the browser over the DevTools protocol on a pipe (--remote-debugging-pipe): no port, no
// package beyond Node.js itself.
import { spawn } from "node:child_process";
import { mkdtempSync, readFileSync, rmSync, writeFileSync, existsSync } from "node:fs";
import { tmpdir } from "node:os";
import { dirname, join, resolve } from "node:path";
import { pathToFileURL } from "node:url";
import { inflateSync } from "node:zlib";

const [reportArg, screenshot, browser = "/usr/bin/chromium"] = process.argv.slice(2);
if (!reportArg || !screenshot) {
  console.error("usage: node scripts/report_in_browser.mjs REPORT.html SCREENSHOT.png [CHROMIUM]");
  process.exit(2);
}
const report = resolve(reportArg);
const url = pathToFileURL(report).href;
const problems = [];
const profile = mkdtempSync(join(tmpdir(), "wingfold-chromium-"));
const chromium = spawn(
  browser,
  ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
   "--disable-background-networking", "--disable-component-update", "--disable-sync",
   "--hide-scrollbars", `--user-data-dir=${profile}`, "--remote-debugging-pipe", "about:blank"],
  { stdio: ["ignore", "ignore", "pipe", "pipe", "pipe"] });
let browserLog = "";
chromium.stderr.on("data", (chunk) => { browserLog += chunk; });
const timer = setTimeout(() => finish("timed out after 90 s"), 90000);

// The protocol: JSON messages ended by a NUL byte, written to the browser's fd 3, read from fd 4.
let nextId = 1;
const pending = new Map();
const listeners = [];
let buffer = "";
chromium.stdio[4].on("data", (chunk) => {
  buffer += chunk.toString("utf8");
  let end;
  while ((end = buffer.indexOf("\0")) >= 0) {
    const message = JSON.parse(buffer.slice(0, end));
    buffer = buffer.slice(end + 1);
    if (message.id && pending.has(message.id)) {
      const { resolve: done, reject } = pending.get(message.id);
      pending.delete(message.id);
      if (message.error) reject(new Error(JSON.stringify(message.error)));
      else done(message.result);
    } else if (message.method) {
      for (const listener of listeners) listener(message);
    }
  }
});
function send(method, params = {}, sessionId = undefined) {
  const id = nextId++;
  chromium.stdio[3].write(JSON.stringify({ id, method, params, sessionId }) + "\0");
  return new Promise((done, reject) => pending.set(id, { resolve: done, reject }));
}
function waitFor(method, timeout = 60000) {
  return new Promise((done, reject) => {
    const stop = setTimeout(() => reject(new Error(`no ${method} within ${timeout} ms`)), timeout);
    listeners.push((message) => {
      if (message.method === method) { clearTimeout(stop); done(message.params); }
    });
  });
}

listeners.push(({ method, params }) => {
  if (method === "Runtime.consoleAPICalled" && (params.type === "error" || params.type === "assert"))
    problems.push(`console ${params.type}: ${params.args.map((a) => a.value ?? a.description).join(" ")}`);
  if (method === "Runtime.exceptionThrown")
    problems.push(`uncaught: ${params.exceptionDetails.exception?.description ?? params.exceptionDetails.text}`);
  if (method === "Log.entryAdded" && params.entry.level === "error")
    problems.push(`log error: ${params.entry.text} ${params.entry.url ?? ""}`);
  if (method === "Network.requestWillBeSent" && params.request.url !== url && !params.request.url.startsWith("data:"))
    problems.push(`loads ${params.request.url}`);
});

// A PNG's pixels as RGBA rows (8-bit RGB or RGBA, not interlaced: what the browser writes).
function decodePng(png) {
  const width = png.readUInt32BE(16), height = png.readUInt32BE(20), depth = png[24], type = png[25];
  if (depth !== 8 || (type !== 2 && type !== 6) || png[28] !== 0) throw new Error("unexpected PNG form");
  const channels = type === 6 ? 4 : 3;
  const data = [];
  for (let at = 8; at < png.length;) {
    const length = png.readUInt32BE(at), kind = png.toString("ascii", at + 4, at + 8);
    if (kind === "IDAT") data.push(png.subarray(at + 8, at + 8 + length));
    at += 12 + length;
  }
  const raw = inflateSync(Buffer.concat(data)), stride = width * channels;
  const pixels = Buffer.alloc(width * height * 4);
  let previous = Buffer.alloc(stride);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)], line = Buffer.from(raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1)));
    for (let i = 0; i < stride; ++i) {
      const a = i >= channels ? line[i - channels] : 0, b = previous[i], c = i >= channels ? previous[i - channels] : 0;
      const p = a + b - c, pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
      const predictor = [0, a, b, (a + b) >> 1, pa <= pb && pa <= pc ? a : pb <= pc ? b : c][filter];
      line[i] = (line[i] + predictor) & 255;
    }
    for (let x = 0; x < width; ++x)
      for (let k = 0; k < 4; ++k) pixels[(y * width + x) * 4 + k] = k < channels ? line[x * channels + k] : 255;
    previous = line;
  }
  return { width, height, pixels };
}

// Counts of the file beside the report, as the compiler reads them.
function countFlightPlans(file) {
  const counts = { plans: 0, legs: 0, planes: 0 }, registrations = new Set();
  for (const line of readFileSync(file, "latin1").split("\n").map((l) => l.trim())) {
    if (line.startsWith("AC")) { counts.plans++; registrations.add(line.split(",")[1].trim()); }
    else if (/^[0-6]/.test(line)) counts.legs++;
  }
  counts.planes = registrations.size;
  return counts;
}

async function main() {
  const { targetInfos } = await send("Target.getTargets");
  const page = targetInfos.find((t) => t.type === "page");
  const { sessionId } = await send("Target.attachToTarget", { targetId: page.targetId, flatten: true });
  for (const domain of ["Runtime", "Log", "Page", "Network"]) await send(`${domain}.enable`, {}, sessionId);
  await send("Emulation.setDeviceMetricsOverride", { width: 1280, height: 900, deviceScaleFactor: 1, mobile: false }, sessionId);
  const loaded = waitFor("Page.loadEventFired");
  await send("Page.navigate", { url }, sessionId);
  await loaded;
  await new Promise((done) => setTimeout(done, 1500));  // layout and the first paint of the map
  const { result } = await send("Runtime.evaluate", {
    returnByValue: true,
    expression: `(() => {
      const map = document.getElementById("map"), box = map.getBoundingClientRect();
      const figures = JSON.parse(document.getElementById("wingfold-report").textContent);
      // Point at the first base, then zoom in and out again.
      const base = figures.bases[0], at = map.createSVGPoint();
      at.x = base[2] * 100;
      at.y = -base[3] * 100;
      const screen = at.matrixTransform(map.getScreenCTM());
      map.dispatchEvent(new PointerEvent("pointermove", { clientX: screen.x, clientY: screen.y, bubbles: true }));
      const tip = document.getElementById("tooltip"), tooltip = tip.hidden ? "" : tip.textContent;
      const before = map.getAttribute("viewBox");
      document.querySelector("#map-buttons [data-zoom=in]").click();
      const zoomed = map.getAttribute("viewBox") !== before;
      document.querySelector("#map-buttons [data-zoom=reset]").click();
      return { ready: document.documentElement.getAttribute("data-map") === "ready", tooltip, zoomed,
               land: (document.querySelector("#map .land")?.getAttribute("d") ?? "").length,
               routes: document.querySelectorAll("#map .routes path").length,
               bases: document.querySelectorAll("#map .bases path").length,
               box: [box.left, box.top, box.width, box.height],
               figures };
    })()` }, sessionId);
  const dom = result.value;
  if (!dom.ready) problems.push("the map's script did not run to its end");
  if (!dom.tooltip.includes("Planes based")) problems.push(`pointing at a base shows no tooltip: "${dom.tooltip}"`);
  if (!dom.zoomed) problems.push("the zoom button does not zoom");
  if (dom.land < 1000 || dom.routes === 0 || dom.bases === 0)
    problems.push(`the map lacks land, routes or bases: ${JSON.stringify({ land: dom.land, routes: dom.routes, bases: dom.bases })}`);

  const shot = await send("Page.captureScreenshot", { format: "png" }, sessionId);
  const png = Buffer.from(shot.data, "base64");
  writeFileSync(screenshot, png);
  const { width, pixels } = decodePng(png);
  const colours = new Set();
  const [left, top, w, h] = dom.box.map(Math.round);
  let red = 0, total = 0;
  for (let y = Math.max(top, 0); y < Math.min(top + h, 900); ++y)
    for (let x = Math.max(left, 0); x < Math.min(left + w, width); ++x) {
      const at = (y * width + x) * 4, r = pixels[at], g = pixels[at + 1], b = pixels[at + 2];
      colours.add((r << 16) | (g << 8) | b);
      red += r > g + 40 && r > b + 40;
      ++total;
    }
  if (total === 0 || colours.size < 50 || red < 20)
    problems.push(`the map area looks blank: ${colours.size} colours, ${red} route pixels of ${total}`);

  const plans = join(dirname(report), "Flightplans-GA.dat");
  if (existsSync(plans)) {
    const counted = countFlightPlans(plans);
    for (const key of Object.keys(counted))
      if (dom.figures[key] !== counted[key]) problems.push(`${key}: the page says ${dom.figures[key]}, the file holds ${counted[key]}`);
  }
  console.log(`${report}: ${dom.figures.plans} plans, ${dom.figures.legs} legs, ${dom.figures.airports} bases; ` +
              `map ${colours.size} colours; screenshot ${screenshot}`);
  await send("Browser.close").catch(() => {});
  await finish();
}

async function finish(failure) {
  clearTimeout(timer);
  if (failure) problems.push(failure);
  if (chromium.exitCode === null) {
    const exited = new Promise((done) => chromium.once("exit", done));
    chromium.kill();
    await Promise.race([exited, new Promise((done) => setTimeout(done, 5000))]);
  }
  rmSync(profile, { recursive: true, force: true, maxRetries: 5, retryDelay: 200 });
  if (problems.length) {
    console.error(`report_in_browser: ${report}:\n  ${problems.join("\n  ")}`);
    if (failure) console.error(browserLog.slice(-2000));
    process.exit(1);
  }
  process.exit(0);
}

main().catch((error) => finish(String(error.stack ?? error)));
