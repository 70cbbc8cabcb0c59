// The connection area at the top of the page: the adapter SEND uses (its USB ids and, where known,
// its chip), its state (not chosen, ready, sending, lost), Connect or Change, and what this browser
// offers where that needs saying (no Web Serial, or Android's narrower reach).
import { element, setText } from "./dom.js";
import { pageText, type PageTextKey } from "./page_texts.js";
import type { PortStatus } from "./port_choice.js";
import type { SendOutcome } from "./send_action.js";
import { forbiddenWords, noSerialWords, type Platform } from "./serial_words.js";
import { adapterName } from "./usb_adapters.js";

export type ConnectionState = "unavailable" | "none" | "ready" | "sending" | "lost";

const STATE_WORDS: Record<ConnectionState, PageTextKey> = {
  unavailable: "stateUnavailable",
  none: "stateNone",
  ready: "stateReady",
  sending: "stateSending",
  lost: "stateLost",
};

export class ConnectionView {
  private readonly name = element("adapterName");
  private readonly state = element("connectionState");
  private readonly hint = element("connectionHint");
  private readonly button = element("changePort");
  // What this browser offers, where that needs saying.
  private readonly offer: string;
  private ports: PortStatus | null = null;
  private sending = false;
  // The line failed during the last send, and nothing since says the adapter is back.
  private lineLost = false;

  constructor(hasSerial: boolean, platform: Platform) {
    if (!hasSerial) {
      const words = noSerialWords(window.isSecureContext, platform);
      this.offer = `${words.text} ${words.detail}`;
      this.show("unavailable", pageText("adapterNone"));
    } else {
      this.offer = platform === "android" ? pageText("serialAndroid") : "";
      this.show("none", pageText("adapterNone"));
    }
  }

  /** What the port choice knows now: after a start, a choice, a plug or an unplug. */
  showPorts(status: PortStatus): void {
    // A port that is there again after a failed send, or one chosen anew, is as good as new.
    if (status.chosenNow || (this.ports && !this.ports.present && status.present)) this.lineLost = false;
    this.ports = status;
    this.update();
  }

  sendStage(outcome: SendOutcome): void {
    this.sending = outcome === "sending";
    if (outcome === "sent") this.lineLost = false;
    if (outcome === "lineFailed") this.lineLost = true;
    this.update();
  }

  private update(): void {
    const status = this.ports;
    if (!status) return;
    const named = status.adapter ? adapterName(status.adapter) : null;
    const many = status.granted > 1 ? pageText("adapterMany", String(status.granted)) : null;
    const name = named ?? many ?? pageText("adapterNone");
    if (this.sending) this.show("sending", name);
    else if (this.lineLost || (!status.present && status.adapter)) this.show("lost", name);
    else this.show(status.present ? "ready" : "none", name);
  }

  private show(state: ConnectionState, name: string): void {
    setText(this.name, name);
    setText(this.state, pageText(STATE_WORDS[state]));
    this.state.dataset["state"] = state;
    const chosen = state === "ready" || state === "sending";
    setText(this.button, pageText(chosen ? "change" : "connect"));
    // What this browser offers holds whatever the state: it follows what to do now.
    const forbidden = this.ports?.forbidden === true ? forbiddenWords() : null;
    const hint = [
      state === "lost" ? pageText("lostHint") : "",
      forbidden?.text ?? "",
      forbidden?.detail ?? "",
      this.offer,
    ]
      .filter((text) => text !== "")
      .join(" ");
    setText(this.hint, hint);
    this.hint.hidden = hint === "";
  }
}
