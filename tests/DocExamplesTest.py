#!/usr/bin/python3
"""Runs the examples of the documentation on the sample site, so that they cannot drift:
every example of orvel-check(1) that carries a status marker, and the CI jobs of the README's
section on continuous integration (the steps that need no network).

Usage: DocExamplesTest.py SOURCE_DIR ORVEL_CHECK
"""
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile

import yaml

SOURCE, ORVEL_CHECK = sys.argv[1], os.path.abspath(sys.argv[2])
failures = []


def fail(text):
    failures.append(text)
    print("FAIL: " + text)


def unroff(line):
    for escape, text in (("\\-", "-"), ("\\(aq", "'"), ("\\(dq", '"'), ("\\[rs]", "\\"), ("\\e", "\\")):
        line = line.replace(escape, text)
    return line


def man_examples(path):
    """(kind, status, text) of each example that a marker line announces."""
    lines = open(path, encoding="utf-8").read().split("\n")
    examples = []
    for i, line in enumerate(lines):
        marker = re.match(r'\.\\" example: (\w+) status (\d+)$', line)
        if not marker:
            continue
        start = lines.index(".EX", i) + 1
        end = lines.index(".EE", start)
        examples.append((marker[1], int(marker[2]), "\n".join(unroff(l) for l in lines[start:end])))
    return examples


def readme_ci_blocks(path):
    """The fenced blocks of the README's section on continuous integration, by the file named
    in their first line."""
    text = open(path, encoding="utf-8").read()
    section = text.split("\n## Continuous integration\n", 1)[1].split("\n## ", 1)[0]
    blocks = {}
    for block in re.findall(r"```\w*\n(.*?)```", section, re.S):
        first = block.split("\n", 1)[0]
        if first.startswith("# "):
            blocks[first[2:].strip()] = block
    return blocks


class Workspace:
    """A folder with the sample site as public/ and ~/www/site, a project file of it, and
    orvel-check on the PATH."""

    def __init__(self):
        self.root = tempfile.mkdtemp(prefix="orvel-doc-")
        self.home = os.path.join(self.root, "home")
        self.work = os.path.join(self.root, "work")
        site = os.path.join(SOURCE, "examples", "site")
        shutil.copytree(site, os.path.join(self.home, "www", "site"))
        shutil.copytree(site, os.path.join(self.work, "public"))
        with open(os.path.join(self.home, "www", "site.opr"), "w") as project:
            project.write("[OrvelProject]\nHomeDir=site/\nTopFile0=%s\n"
                          % os.path.join(self.home, "www", "site", "index.html").upper())
        bin_dir = os.path.join(self.root, "bin")
        os.makedirs(bin_dir)
        os.symlink(ORVEL_CHECK, os.path.join(bin_dir, "orvel-check"))
        self.env = dict(os.environ, HOME=self.home, PATH=bin_dir + ":" + os.environ["PATH"],
                        XDG_CONFIG_HOME=os.path.join(self.home, ".config"))

    def run(self, script):
        return subprocess.run(["bash", "-c", script], cwd=self.work, env=self.env,
                              capture_output=True, text=True, timeout=120)

    def close(self):
        shutil.rmtree(self.root)


def check(name, result, status):
    if result.returncode != status:
        fail("%s: exit status %d, documented %d\n%s%s"
             % (name, result.returncode, status, result.stdout[-2000:], result.stderr[-2000:]))


def run_man_examples(space):
    examples = man_examples(os.path.join(SOURCE, "man", "orvel-check.1"))
    if len(examples) < 5:
        fail("orvel-check.1: only %d marked examples" % len(examples))
    for kind, status, text in examples:
        script = text if kind == "shell" else "\n".join(
            command for job in yaml.safe_load(text).values() for command in job["script"])
        check("orvel-check.1 " + text.split("\n")[0], space.run(script), status)


def run_github(space, block):
    steps = yaml.safe_load(block)["jobs"]["links"]["steps"]
    checks = [step for step in steps if "orvel-check " in step.get("run", "")]
    if not checks:
        fail("GitHub workflow: no step runs orvel-check")
    for step in checks:
        check("GitHub workflow: " + step["name"], space.run(step["run"]), 1)
    uploads = [step for step in steps if "upload-sarif" in step.get("uses", "")]
    if not uploads or uploads[0].get("if") != "always()":
        fail("GitHub workflow: the SARIF report must be uploaded whatever the check's status")
        return
    sarif = os.path.join(space.work, uploads[0]["with"]["sarif_file"])
    try:
        report = json.load(open(sarif))
        if report["version"] != "2.1.0" or not report["runs"][0]["results"]:
            raise ValueError("no results")
        # Code scanning knows the repository's paths: the site's files are named below it.
        for result in report["runs"][0]["results"]:
            uri = result["locations"][0]["physicalLocation"]["artifactLocation"]["uri"]
            if not uri.startswith("public/"):
                raise ValueError("%s is not relative to the repository" % uri)
    except (OSError, ValueError, KeyError, IndexError) as error:
        fail("GitHub workflow: %s is no SARIF report of the sample's findings: %s" % (sarif, error))


def run_gitlab(space, block):
    job = yaml.safe_load(block)["links"]
    check("GitLab job", space.run("\n".join(job["script"])), 1)
    for path in job["artifacts"]["paths"]:
        if not os.path.isfile(os.path.join(space.work, path)):
            fail("GitLab job: no artifact " + path)


def run_pre_commit(space, block):
    hook = yaml.safe_load(block)["repos"][0]["hooks"][0]
    # The hook's command as pre-commit runs it, with no file names after it.
    entry = space.run(hook["entry"])
    check("pre-commit hook", entry, 1)
    if "public/docs/faq.html:" not in entry.stdout:
        fail("pre-commit hook: no location in its output:\n" + entry.stdout)
    if not shutil.which("pre-commit"):
        return
    with open(os.path.join(space.work, ".pre-commit-config.yaml"), "w") as config:
        config.write(block)
    setup = space.run("git init -q && git add -A && git -c user.email=t@t -c user.name=t "
                      "commit -qm site --no-verify")
    check("git repository for pre-commit", setup, 0)
    check("pre-commit run", space.run("pre-commit run --all-files"), 1)


def main():
    space = Workspace()
    try:
        run_man_examples(space)
        blocks = readme_ci_blocks(os.path.join(SOURCE, "README.md"))
        for name, runner in ((".github/workflows/links.yml", run_github),
                             (".gitlab-ci.yml", run_gitlab),
                             (".pre-commit-config.yaml", run_pre_commit)):
            if name in blocks:
                runner(space, blocks[name])
            else:
                fail("README: no CI example for " + name)
    finally:
        space.close()
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
