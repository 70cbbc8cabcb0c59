// What the page remembers between visits, in the browser's storage for this site. A browser that
// keeps no storage (a private window with it off, a policy) leaves the page working, only without
// its memory.
const PREFIX = "zelvar-config ";

export function recall(key: string): string | null {
  try {
    return localStorage.getItem(PREFIX + key);
  } catch {
    return null;
  }
}

export function remember(key: string, value: string | null): void {
  try {
    if (value === null) localStorage.removeItem(PREFIX + key);
    else localStorage.setItem(PREFIX + key, value);
  } catch {
    // Nothing to keep it in: the page goes on without it.
  }
}

/** A disclosure opened or closed as the user last left it. */
export function keepOpenState(details: HTMLDetailsElement, key: string): void {
  details.open = recall(key) === "open";
  details.addEventListener("toggle", () => remember(key, details.open ? "open" : null));
}
