// Random forms and calculator inputs, seeded so that a failure can be run again. Texts take any
// printable Latin-1 character, as a file may hold them, within the fields' limits or past them.
export function random(seed) {
  let state = seed >>> 0 || 1;
  return (n) => {
    state ^= state << 13;
    state ^= state >>> 17;
    state ^= state << 5;
    return (state >>> 0) % n;
  };
}

export const PRINTABLE = Array.from({ length: 224 }, (_, i) => String.fromCharCode(32 + i)).filter((c) => c !== "\x7f");

function text(next, pool, maxLength) {
  return Array.from({ length: next(maxLength + 3) }, () => pool[next(pool.length)]).join("");
}

function digits(next, positions, least = 0) {
  return text(next, "0123456789", positions)
    .slice(0, Math.max(next(positions + 1), least))
    .padEnd(least, "7");
}

// Among them characters that show nothing, as a file may bring them: a soft hyphen, C1 controls.
const CALLSIGNS = ["NOCALL-9", "QX9ABC", "QX9ABC-16", "AB-1", "", "  CALL-15 ", "-7", "NO\x9bCALL"];
const PATHS = [
  "WIDE1-1,WIDE2-2",
  "",
  "WIDE2-2",
  "  ,WIDE2-2",
  "WIDE1-1,",
  "A,B,C",
  "RELAY-99999",
  "WIDE1-1,W\xadIDE\x8e2-2",
];

/** The .cfg text, as the core writes it, of a form of random settings. */
export function randomCfg(core, next) {
  const form = {};
  for (const field of core.fields()) {
    const { maxLength, masked } = field.rule;
    // A flag is on or off; a choice is any of its choices.
    if (!field.text) form[field.name] = next(Math.max(field.choices.length, 2));
    else if (masked && field.name !== "symbol") form[field.name] = digits(next, maxLength);
    else form[field.name] = text(next, PRINTABLE, maxLength);
  }
  form.symbol = text(next, PRINTABLE, 1).slice(0, 1 + next(2));
  form.myCall = CALLSIGNS[next(CALLSIGNS.length)];
  form.path = PATHS[next(PATHS.length)];
  form.messageTo = CALLSIGNS[next(CALLSIGNS.length)];
  form.commentEvery = digits(next, 3, 1);
  form.acquisitionTimeout = next(3) === 0 ? "000" : digits(next, 3);
  // A check box of the file is clear, ticked or greyed (2), which the desktop keeps and reads as clear.
  form.alternateTable = next(3);
  const calculator = { ...core.calculatorDefaults(), centChecked: next(3), altitudeChecked: next(3) };
  return core.saveCfg(form, calculator).text;
}

const COORDINATES = [
  "45.30.15",
  "-11.05.50",
  "N49.30.00",
  "W72.45.00",
  "0.00.00",
  "90.00.00",
  "179.59.59",
  "S0.30.99",
  "E009.10.30",
  "45.5025",
  "-9.175",
  "45\u00b030.15'N",
  "9 10.5 W",
  "N45 30.150",
];

export function randomPosition(next) {
  const pick = (list) => list[next(list.length)];
  return {
    latitude: pick(COORDINATES.filter((c) => !/[EW]/.test(c)).map((c) => c.replace("179", "89"))),
    longitude: pick(COORDINATES.filter((c) => !/[NS]/.test(c))),
    cent: next(2) === 1,
    altitude: next(2) ? "" : String(next(20000) - 500).slice(0, 5),
    normal: next(2) === 1,
    symbol: pick([">", "_", "k", "/", "O"]),
    alternateTable: next(2) === 1,
  };
}
