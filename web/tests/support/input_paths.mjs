// The ways text reaches a field, driven as the browser gets them: typed keys and an input
// method's composition through the DevTools protocol, a paste from the clipboard with Ctrl+V, a
// text dropped from another program, and what a spell checker's replacement or autofill does:
// the value changed and an input event, with no beforeinput before it.

/** Random text for the fields: their characters, upper Latin-1, and what Latin-1 lacks. */
export function randomText(next) {
  const pool = [..."abcxyzABCXYZ0123456789-,./_ '`{|}~\"", ..."éêßÿ¿\xa0\xad", ..."€\u202e\u200b😀漢ё", "e\u0301"];
  return Array.from({ length: 1 + next(6) }, () => pool[next(pool.length)]).join("");
}

export class InputPaths {
  constructor(page, cdp) {
    this.page = page;
    this.cdp = cdp;
  }

  /** For `page` of `context`, whose clipboard `origin` may read and write for the paste. */
  static async open(page, context, origin) {
    await context.grantPermissions(["clipboard-read", "clipboard-write"], { origin });
    return new InputPaths(page, await context.newCDPSession(page));
  }

  /** The field focused, then `start`..`end` selected, where the next way in puts its text. */
  async focus(selector, start, end) {
    await this.page.focus(selector);
    await this.page.$eval(selector, (input, [s, e]) => input.setSelectionRange(s, e), [start, end]);
  }

  // Typed, into the focused field.
  async type(text) {
    await this.cdp.send("Input.insertText", { text });
  }

  // A composition in the focused field that shows its text as it grows, then commits: a phone
  // keyboard's word, or a dead key's accent before its letter.
  async compose(steps, committed) {
    for (const text of steps) {
      await this.cdp.send("Input.imeSetComposition", { text, selectionStart: text.length, selectionEnd: text.length });
    }
    await this.cdp.send("Input.insertText", { text: committed });
  }

  async paste(text) {
    await this.page.evaluate((t) => navigator.clipboard.writeText(t), text);
    await this.page.keyboard.press("Control+V");
  }

  async drop(selector, text) {
    const box = await this.page.locator(selector).boundingBox();
    const at = { x: box.x + box.width - 4, y: box.y + box.height / 2 };
    const data = { items: [{ mimeType: "text/plain", data: text }], dragOperationsMask: 1 };
    for (const type of ["dragEnter", "dragOver", "drop"]) {
      await this.cdp.send("Input.dispatchDragEvent", { type, ...at, data });
    }
  }

  // Both change the value at the selection and say so only afterwards.
  async replace(selector, text, inputType) {
    await this.page.$eval(
      selector,
      (input, [text, inputType]) => {
        const { value, selectionStart, selectionEnd } = input;
        input.value = value.slice(0, selectionStart) + text + value.slice(selectionEnd);
        input.setSelectionRange(selectionStart + text.length, selectionStart + text.length);
        input.dispatchEvent(
          inputType ? new InputEvent("input", { bubbles: true, inputType }) : new Event("input", { bubbles: true }),
        );
        if (!inputType) input.dispatchEvent(new Event("change", { bubbles: true }));
      },
      [text, inputType],
    );
  }
}
