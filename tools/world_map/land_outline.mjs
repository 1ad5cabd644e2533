// Turns the land of a world-atlas TopoJSON file (Natural Earth, public domain) into the C++ source of
// the traffic report's land outline: one SVG path in the map's units (x = longitude x 100,
// y = -latitude x 100, so hundredths of a degree, north up), points rounded to a grid of STEP units
// and repeated points dropped, each ring an absolute move followed by relative lines.
//
//   node land_outline.mjs LAND_JSON OUTPUT_CPP [STEP]
import { readFileSync, writeFileSync, renameSync } from "node:fs";

const [input, output, stepText = "4"] = process.argv.slice(2);
if (!input || !output) {
  console.error("usage: node land_outline.mjs LAND_JSON OUTPUT_CPP [STEP]");
  process.exit(2);
}
const step = Number(stepText);
const topology = JSON.parse(readFileSync(input, "utf8"));
const land = topology.objects && topology.objects.land;
if (topology.type !== "Topology" || !land || !Array.isArray(topology.arcs)) {
  console.error(`${input}: not a world-atlas land topology`);
  process.exit(1);
}

// Arcs are delta-encoded on a quantized grid (transform) or given in degrees.
const [sx, sy] = topology.transform ? topology.transform.scale : [1, 1];
const [tx, ty] = topology.transform ? topology.transform.translate : [0, 0];
const arcs = topology.arcs.map((arc) => {
  let x = 0, y = 0;
  return arc.map(([dx, dy]) => {
    if (topology.transform) { x += dx; y += dy; } else { x = dx; y = dy; }
    const snap = (v) => Math.round(v / step) * step;
    return [snap((x * sx + tx) * 100), snap(-(y * sy + ty) * 100)];
  });
});

function ring(indexes) {
  const points = [];
  for (const index of indexes) {
    const arc = index < 0 ? arcs[~index].slice().reverse() : arcs[index];
    points.push(...(points.length ? arc.slice(1) : arc));
  }
  return points;
}

const polygons = [];
for (const geometry of land.type === "GeometryCollection" ? land.geometries : [land]) {
  if (geometry.type === "Polygon") polygons.push(geometry.arcs);
  if (geometry.type === "MultiPolygon") polygons.push(...geometry.arcs);
}

// A ring that crosses the 180th meridian jumps from one edge of the map to the other: its
// longitudes are made continuous, and it is drawn again a turn to the other side. A ring that goes
// round a pole (Antarctica) keeps its jump: it closes along the map's edge.
function unwrapped(points) {
  const out = [points[0].slice()];
  for (let i = 1; i < points.length; ++i) {
    const previous = out[i - 1][0];
    let x = points[i][0];
    while (x - previous > 18000) x -= 36000;
    while (previous - x > 18000) x += 36000;
    out.push([x, points[i][1]]);
  }
  if (Math.abs(out[out.length - 1][0] - out[0][0]) > 18000) return [points];
  const shift = out.some((p) => p[0] > 18000) ? -36000 : out.some((p) => p[0] < -18000) ? 36000 : 0;
  return shift === 0 ? [out] : [out, out.map(([x, y]) => [x + shift, y])];
}

let path = "";
let rings = 0;
for (const polygon of polygons) {
  for (const indexes of polygon) {
    const cleaned = ring(indexes).filter((p, i, all) => i === 0 || p[0] !== all[i - 1][0] || p[1] !== all[i - 1][1]);
    if (cleaned.length < 4) continue;  // a ring that shrank below a triangle on the grid
    for (const points of unwrapped(cleaned)) {
      let [x, y] = points[0];
      path += `M${x} ${y}l`;
      let first = true;
      for (const [px, py] of points.slice(1, -1)) {
        const dx = px - x, dy = py - y;
        path += `${first || dx < 0 ? "" : " "}${dx}${dy < 0 ? "" : " "}${dy}`;
        first = false;
        [x, y] = [px, py];
      }
      path += "z";
      ++rings;
    }
  }
}

// Pieces well below any compiler's limit on one string literal.
const pieces = path.match(/[^]{1,4000}/g) || [];
const source = `// Generated from ${input.split(/[\\/]/).slice(-2).join("/")} by tools/world_map/land_outline.mjs; do not edit.
// Land outline: Natural Earth (public domain), as redistributed by the npm package world-atlas.
// ${rings} rings, ${path.length} characters, grid of ${step} hundredths of a degree.
#include "report/land_outline.h"

namespace wf {

namespace {

constexpr std::string_view kPieces[] = {
${pieces.map((p) => `    "${p}",`).join("\n")}
};

}

std::span<const std::string_view> LandOutline() {
  return kPieces;
}

}
`;
writeFileSync(output + ".tmp", source);
renameSync(output + ".tmp", output);
