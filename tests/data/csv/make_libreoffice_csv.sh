#!/bin/sh
# Makes pass/libreoffice_calc.csv the way a user of LibreOffice Calc does: a spreadsheet (a flat
# OpenDocument file, written here) saved as "Text CSV" (UTF-8, comma, double quotes) by Calc itself.
# Run once by hand where LibreOffice is installed; the result is committed.
set -e
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cell() { printf '<table:table-cell office:value-type="string"><text:p>%s</text:p></table:table-cell>' "$1"; }
number() { printf '<table:table-cell office:value-type="float" office:value="%s"><text:p>%s</text:p></table:table-cell>' "$1" "$1"; }
row() { printf '<table:table-row>'; for c in "$@"; do printf '%s' "$c"; done; printf '</table:table-row>\n'; }
{
    printf '<?xml version="1.0" encoding="UTF-8"?>\n'
    printf '<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
    printf 'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
    printf 'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" office:version="1.2" '
    printf 'office:mimetype="application/vnd.oasis.opendocument.spreadsheet"><office:body><office:spreadsheet>'
    printf '<table:table table:name="Products">\n'
    row "$(cell Produkt)" "$(cell Streckkod)" "$(cell 'Tillägg')" "$(cell Text)" "$(cell Typ)"
    row "$(cell 'Räksmörgås')" "$(cell 7310865004703)" "$(cell '')" "$(cell 'Kyl, 4 °C')" "$(cell 'EAN 13')"
    row "$(cell 'Tidning "Veckan"')" "$(cell 9771234567003)" "$(number 12)" "$(cell '')" "$(cell 'EAN 13')"
    row "$(cell 'Bok')" "$(cell 1-57169-006-9)" "$(cell '')" "$(cell '')" "$(cell 'ISBN')"
    row "$(cell 'Låda')" "$(cell 'BOX-12')" "$(cell '')" "$(cell 'Lager 3')" "$(cell 'Code 39')"
    printf '</table:table></office:spreadsheet></office:body></office:document>\n'
} > "$work/libreoffice_calc.fods"
soffice --headless -env:UserInstallation=file://"$work/profile" \
    --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1' --outdir "$work" "$work/libreoffice_calc.fods" >/dev/null
cp "$work/libreoffice_calc.csv" "$here/pass/libreoffice_calc.csv"
