// The page's markup from the core's table, on a table made here: each field has its control, its
// label and its value; the page's template gets the core's words, and a word it lacks stops the
// build instead of reaching the user as "{{key}}".
import assert from "node:assert/strict";
import { describe, it } from "node:test";

import { formMarkup, keyShortcuts, mnemonicHtml, pageMarkup } from "../../src/form_markup.ts";
import { withValues } from "../../src/with_values.ts";

// One field whose texts and value need escaping, with a counter beside it.
const RULE = {
  maxLength: 35,
  masked: false,
  upperCase: true,
  selectAllOnFocus: false,
  accepted: "",
  acceptedGpsless: "",
};
const PLACE = { group: "main", line: 1, pushed: false, gpsOnly: false, label: "beside", width: 35, counter: "beside" };
const TEXTS = {
  shownLabel: "COMMENT <b>",
  caption: "",
  spokenName: "COMMENT",
  unit: "",
  spokenUnit: "",
  hint: 'Max "35"',
};
const MODEL = {
  fields: [
    {
      name: "comment",
      label: "COMMENT <b>",
      input: "text",
      text: true,
      rule: RULE,
      choices: [],
      place: PLACE,
      texts: TEXTS,
    },
  ],
  groups: [{ name: "main", caption: "Main  Settings", parent: "main", column: 0, table: false }],
  actions: [{ name: "send", caption: "S&END", group: "main", line: 1, pushed: true, gpslessOnly: false, shortcut: "" }],
  texts: { windowTitle: "Zelvar && Co", atMostCharacters: "at most %1 characters" },
  defaults: { comment: 'a "b"' },
  counter: (most, left) => ({ shown: `[${left}]`, spoken: `${left} of ${most}` }),
};

describe("formMarkup", () => {
  it("gives each field its control with its value and limit, named by its label", () => {
    const html = formMarkup(MODEL);
    assert.match(html, /<label for="comment"[^>]*>COMMENT &lt;b&gt;<\/label>/);
    assert.match(html, /<input id="comment"[^>]* size="35" maxlength="35" value="a &quot;b&quot;"/);
    assert.match(html, /value="a &quot;b&quot;"[^>]* title="Max &quot;35&quot;"/);
    assert.match(html, /<output id="commentCounter"[^>]*><span aria-hidden="true">\[30\]<\/span>/);
    assert.match(html, /<legend class="keep-spaces">Main {2}Settings<\/legend>/);
    assert.match(
      html,
      /<button type="button" id="send" class="push" aria-keyshortcuts="Alt\+E">S<u>E<\/u>ND<\/button>/,
    );
  });
});

describe("pageMarkup", () => {
  it("puts the form and the core's words into the page, and refuses a word the core lacks", () => {
    const page = pageMarkup("<title>{{windowTitle}}</title><form><!-- the settings form --></form>", MODEL);
    assert.match(page, /^<title>Zelvar &amp; Co<\/title><form><fieldset/);
    assert.throws(() => pageMarkup("<p>{{noSuchText}}</p>", MODEL), /noSuchText/);
  });

  it("underlines the letter a caption's & marks and names the keys that press it", () => {
    assert.equal(mnemonicHtml("&Help (F1)"), "<u>H</u>elp (F1)");
    assert.equal(keyShortcuts("&Save", "Ctrl+S"), "Control+S Alt+S");
    assert.equal(keyShortcuts("Close", ""), "");
  });
});

describe("withValues", () => {
  it("puts the values in as they are, in the order the text asks for them", () => {
    assert.equal(withValues('no symbol is named "%1"', "$&$'"), 'no symbol is named "$&$\'"');
    assert.equal(withValues("%2 (%1)", "a", "b"), "b (a)");
    assert.equal(withValues("%1 of %2"), " of %2");
  });
});
