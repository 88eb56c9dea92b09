#!/usr/bin/env bash
# Program-wide state is the windows' own: the variables of common/UComon.h
# and the string table Lang_Strings (and Lang(), which reads it) are named
# only by app/, the nine windows, the string table's loader and what drives
# them (the screenshot tool, Plant Overview's benchmark, the settings file's
# fuzz target); every other file of the program, its console program,
# stand-in, fuzz targets and the other benchmarks takes values.
# Words inside string literals and the names of the string table's entries
# (Text::..., lang/UText.h) do not count.
#
#   check_shared_state.sh SOURCE_DIR           lists every other file's use; fails on one
#   check_shared_state.sh SOURCE_DIR --count   lines naming them, per folder and file
set -euo pipefail
cd "$1"

names='Path_Exe|Path_Master|Path_Projects|Path_Language|Name_Project|Path_Project|File_ParGen'
names+='|Last_IP_Address|Language|Enable_Internet|Enable_Update|Enable_Jump_Field_Tables'
names+='|Double_Click_Auto_Size|Main_Title|SW_Code|SW_Description|Update_Option|Read_Back'
names+='|Last_Check_Unit_ID|Last_Check_Registers|Last_Check_Echo|Plant_Width|Plant_Height|Plant_Column_Widths'
names+='|Lang_Strings|Lang_Count'
# and what writes them.
names+='|Set_Program_Folders|Reset_Shared_State|Load_Default_Strings|Select_Language'
pattern="(^|[^A-Za-z0-9_])(($names)([^A-Za-z0-9_]|\$)|Lang\\()"
allowed='^(app/|common/UComon\.|lang/ULang\.|lang/UText\.h|project/UNew_Project\.|project/UOpenConf\.|params/UParGen\.'
allowed+='|update/UBoot\.|check/UCheck_Device\.|check/UCheck_Result_Lines\.|check/UCheck_Tables\.|check/UCheck_Texts\.|options/USoftOptions\.|options/UAbout\.|plant/UPlant_Overview\.|tools/screenshots/|bench/UBench_Plant_Window\.|fuzz/fuzz_settings\.)'

# file:line:text of every line that names them, string literals left out.
uses() {
    find common lang project params image update check options plant console cli ui platform app sim standin fuzz bench tools \
        -type f \( -name '*.cpp' -o -name '*.h' \) | sort | while read -r file; do
        sed -E 's/"([^"\\]|\\.)*"/""/g; s/Text::[A-Za-z0-9_]+//g' "$file" | grep -nE "$pattern" \
            | sed "s|^|$file:|" || true
    done
}

if [[ ${2:-} == --count ]]; then
    uses | cut -d: -f1 | sort | uniq -c | awk '{split($2, p, "/"); folder[p[1]] += $1; print}
        END {for (f in folder) print folder[f], f "/ (folder)"}'
    exit 0
fi

outside=$(uses | grep -vE "$allowed" || true)
if [[ -n $outside ]]; then
    echo "Program-wide state named below the windows (pass values instead):"
    echo "$outside"
    exit 1
fi
echo "Program-wide state is named only by app/, the nine windows and the string table's loader."
