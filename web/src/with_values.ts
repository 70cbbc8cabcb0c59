// A shown text's "%1".."%9" filled in, the values taken as they are: a "$&" a user typed stays
// "$&", where String.replace with a string would read it as a pattern.

/** `text` with each "%n" replaced by the n-th of `values`; a missing "%1" is empty, others stay. */
export function withValues(text: string, ...values: string[]): string {
  return text.replace(/%([1-9])/g, (placeholder, n: string) => values[Number(n) - 1] ?? (n === "1" ? "" : placeholder));
}
