// "Use this device's position" in the calculator: the browser's geolocation, asked only when the
// button is pressed, fills Latitude and Longitude in decimal degrees. A GPS answers without the
// network; nothing leaves the page. Denied, unavailable or too slow, a message says so.
import { PAGE_TEXTS } from "./page_texts.js";

const WAIT_MS = 30_000;
// 0.00001° is about a metre, finer than the 0.01' (18 m) the beacon carries.
const DECIMALS = 5;

export class DevicePosition {
  private readonly button = document.createElement("button");
  private readonly status = document.createElement("p");

  constructor(
    place: HTMLElement,
    private readonly fill: (latitude: string, longitude: string) => void,
  ) {
    this.button.type = "button";
    this.button.id = "useDevicePosition";
    this.button.textContent = PAGE_TEXTS.useDevicePosition;
    this.button.title = PAGE_TEXTS.useDevicePositionHint;
    this.button.setAttribute("aria-describedby", "devicePositionStatus");
    this.status.id = "devicePositionStatus";
    this.status.className = "hint";
    this.status.setAttribute("role", "status");
    this.button.addEventListener("click", () => this.ask());
    place.append(this.button, this.status);
  }

  private ask(): void {
    if (!("geolocation" in navigator)) {
      this.say(PAGE_TEXTS.devicePositionNone);
      return;
    }
    this.button.disabled = true;
    this.say(PAGE_TEXTS.devicePositionAsking);
    navigator.geolocation.getCurrentPosition(
      (position) => {
        const { latitude, longitude, accuracy } = position.coords;
        this.fill(latitude.toFixed(DECIMALS), longitude.toFixed(DECIMALS));
        this.done(PAGE_TEXTS.devicePositionFilled.replace("%1", String(Math.round(accuracy))));
      },
      (error) => {
        const said = {
          [error.PERMISSION_DENIED]: PAGE_TEXTS.devicePositionDenied,
          [error.POSITION_UNAVAILABLE]: PAGE_TEXTS.devicePositionUnavailable,
          [error.TIMEOUT]: PAGE_TEXTS.devicePositionTimeout,
        }[error.code];
        this.done(said ?? PAGE_TEXTS.devicePositionUnavailable);
      },
      { enableHighAccuracy: true, timeout: WAIT_MS, maximumAge: 0 },
    );
  }

  private done(text: string): void {
    this.button.disabled = false;
    this.say(text);
  }

  private say(text: string): void {
    this.status.textContent = text;
  }
}
