// "Port not listed?": what the page itself can check (Web Serial, a secure address, a frame of
// another site, the ports it may use, the system), then the advice for each system, the user's
// own first. All of it is in the page: it works offline and needs no link.
import { element } from "./dom.js";
import { pageText } from "./page_texts.js";
import type { PortStatus } from "./port_choice.js";
import { framedByAnotherSite } from "./send_action.js";
import { forbiddenWords, type Platform } from "./serial_words.js";

// A check that passed, one that explains the trouble, or a fact to go by.
type Verdict = "good" | "bad" | "info";

const SYSTEM_NAMES: Record<Platform, string> = {
  linux: "Linux",
  windows: "Windows",
  mac: "macOS",
  android: "Android",
  other: "",
};

export class PortHelp {
  private readonly checks = element("portChecks");
  private ports: PortStatus | null = null;

  constructor(
    private readonly hasSerial: boolean,
    private readonly platform: Platform,
  ) {
    const own = element("helpSystems").querySelector<HTMLElement>(`[data-system="${platform}"]`);
    if (own) {
      own.classList.add("yours");
      own.parentElement?.prepend(own);
    }
    element("portHelp").addEventListener("toggle", () => this.check());
  }

  showPorts(status: PortStatus): void {
    this.ports = status;
    this.check();
  }

  private check(): void {
    if (!element("portHelp", HTMLDetailsElement).open) return;
    const found: [Verdict, string][] = [
      this.hasSerial ? ["good", pageText("checkSerial")] : ["bad", pageText("checkNoSerial")],
      window.isSecureContext ? ["good", pageText("checkSecure")] : ["bad", pageText("checkInsecure")],
    ];
    if (framedByAnotherSite()) found.push(["bad", pageText("checkFramed")]);
    if (this.ports?.forbidden === true) found.push(["bad", forbiddenWords().text]);
    else if (this.hasSerial && this.ports) found.push(["info", pageText("checkGranted", String(this.ports.granted))]);
    const system = SYSTEM_NAMES[this.platform];
    if (system) found.push(["info", pageText("checkSystem", system)]);
    this.checks.replaceChildren(
      ...found.map(([verdict, text]) => {
        const item = document.createElement("li");
        item.className = verdict;
        item.textContent = text;
        return item;
      }),
    );
  }
}
