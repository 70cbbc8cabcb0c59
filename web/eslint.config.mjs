// The page's lint, as clang-tidy is the C++'s: typescript-eslint's strict rules, with the types,
// on the page and its worker; ESLint's recommended rules on the tests and tools, which run in
// Node.js and hand functions to the browser.
import js from "@eslint/js";
import { defineConfig } from "eslint/config";
import globals from "globals";
import tseslint from "typescript-eslint";

export default defineConfig(
  js.configs.recommended,
  { rules: { eqeqeq: "error" } },
  {
    files: ["src/**/*.ts", "worker/**/*.ts"],
    extends: [tseslint.configs.recommendedTypeChecked],
    languageOptions: { parserOptions: { projectService: true, tsconfigRootDir: import.meta.dirname } },
    rules: {
      // A step kind, stage or platform added to a union and forgotten in a switch.
      "@typescript-eslint/switch-exhaustiveness-check": ["error", { considerDefaultExhaustiveForUnions: true }],
    },
  },
  {
    files: ["**/*.mjs"],
    languageOptions: { globals: { ...globals.node, ...globals.browser } },
  },
);
