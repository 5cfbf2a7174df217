#!/usr/bin/env bash
# Fails when a text that the sources give to the catalogue (Tr, QTr) has no translation in a
# language's .po, or when a .po translates a text that the sources no longer have.
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
find analysis project support cli ui uoorvel.cpp -name '*.cpp' -o -name '*.h' | sort > "$work/files"
# The ids are the program's Japanese texts: xgettext's warning about non-ASCII ids is expected.
xgettext --from-code=UTF-8 --language=C++ -kTr -kQTr -kQT_TR_NOOP --no-location --package-name=uoorvel \
  -f "$work/files" -o "$work/uoorvel.pot" 2> "$work/xgettext.log" || { cat "$work/xgettext.log"; exit 1; }
sed -i 's/charset=CHARSET/charset=UTF-8/' "$work/uoorvel.pot"
status=0
while read -r language; do
  [[ -z "$language" || "$language" == \#* ]] && continue
  msgmerge --quiet --no-fuzzy-matching "po/$language.po" "$work/uoorvel.pot" -o "$work/merged.po"
  untranslated=$(msgattrib --untranslated --no-obsolete --no-wrap "$work/merged.po" |
    awk '/^msgid /{id=$0} /^msgstr ""$/{if (id != "msgid \"\"" || header++) print id}')
  stale=$(msgattrib --only-obsolete "$work/merged.po" | grep '^#~ msgid' || true)
  if [[ -n "$untranslated" ]]; then
    echo "po/$language.po lacks translations of:"; echo "$untranslated"; status=1
  fi
  if [[ -n "$stale" ]]; then
    echo "po/$language.po translates texts the sources no longer have:"; echo "$stale"; status=1
  fi
done < po/LINGUAS
exit $status
