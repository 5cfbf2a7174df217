#!/usr/bin/env bash
# Checks a small site with orvel-check and validates its JSON report against
# docs/orvel-check-report.schema.json and its SARIF report against the SARIF 2.1.0 schema, formats
# (URIs) included. The site has invalid links (one with a suggestion), orphans with names that URIs
# must escape, a page and a folder that cannot be read (as an unprivileged user when run as root).
# Usage: ReportSchemaTest.sh ORVEL_CHECK SOURCE_DIR
set -uo pipefail
check=$1
source=$2
tmp=$(mktemp -d)
trap 'chmod -R u+rwx "$tmp"; rm -rf "$tmp"' EXIT
chmod 755 "$tmp"
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

site=$tmp/site
mkdir -p "$site/closed"
printf '<a href="gone page.html">\n<a href="a.html"><a href="A.html"><a href="locked.html">\n' \
    >"$site/index.html"
printf '<p>x</p>\n' >"$site/a.html"
: >"$site/orphan 100% #1?.html"
: >"$site/孤立.html"
printf '<a href="index.html">' >"$site/locked.html"
: >"$site/closed/inside.html"
chmod 000 "$site/locked.html" "$site/closed"

run=("$check")
if [ "$(id -u)" -eq 0 ]; then
    # The superuser reads everything: the check runs as nobody, on a copy it can reach.
    cp "$check" "$tmp/orvel-check" && chmod 755 "$tmp/orvel-check"
    run=(/usr/bin/setpriv --reuid=65534 --regid=65534 --clear-groups "$tmp/orvel-check")
fi
for format in json sarif; do
    "${run[@]}" --settings "$tmp/none.ini" --quiet --top index.html --format "$format" "$site" \
        >"$tmp/report.$format" 2>"$tmp/err.$format"
    [ -s "$tmp/report.$format" ] || fail "no $format report: $(cat "$tmp/err.$format")"
done

# validate SCHEMA REPORT RULE-IDS: the report is valid, and for SARIF its results have these
# rule ids, so that a report of nothing cannot pass.
validate() {
    /usr/bin/python3 - "$@" <<'EOF'
import json, sys
import jsonschema
schema_path, report_path, rule_ids = sys.argv[1], sys.argv[2], sys.argv[3]
with open(schema_path, encoding="utf-8") as f:
    schema = json.load(f)
with open(report_path, encoding="utf-8") as f:
    report = json.load(f)
validator = jsonschema.validators.validator_for(schema)
validator.check_schema(schema)
errors = list(validator(schema, format_checker=validator.FORMAT_CHECKER).iter_errors(report))
for error in errors:
    print(f"{report_path}: {'/'.join(map(str, error.absolute_path))}: {error.message}")
if rule_ids:
    found = sorted({r["ruleId"] for run in report["runs"] for r in run["results"]})
    if found != rule_ids.split():
        print(f"{report_path}: rule ids {found}, not {rule_ids.split()}")
        errors.append(found)
sys.exit(1 if errors else 0)
EOF
}
validate "$source/docs/orvel-check-report.schema.json" "$tmp/report.json" "" ||
    fail "the JSON report does not follow its schema"
validate "$source/tests/schemas/sarif-schema-2.1.0.json" "$tmp/report.sarif" \
    "invalid-link/case invalid-link/missing orphan-file unreadable" || fail "the SARIF report is not valid SARIF"
[ "$failures" -eq 0 ]
