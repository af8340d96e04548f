#!/bin/sh
# Writes a test class of 30 learners into FOLDER: the name list, one settings
# file per learner (every level, each learner's own bounds, screens never
# practised) and expected.csv, the percent and lamp colour of every practised
# screen as the grading rule gives them, worked out here in shell arithmetic.
#
#   tests/records/make-class.sh FOLDER
set -eu
folder=$1
mkdir -p "$folder"
sections="Addition Subtraction Doubling Halving OddEven BasicMultiplication BasicDivision UnitTen NumberTen
Keyboard SpeedAddition RulesMultiplication MultiplyBasic MultiplyDirect Multiply2Finger SpeedDivision
Square5_5 Square2Digit Square3Digit SquareRoot"
: > "$folder/UserList.ini"
echo "name,section,percent,colour" > "$folder/expected.csv"
i=1
while [ $i -le 30 ]; do
    name=$(printf 'Pupil %02d' $i)
    printf '%s\r\n' "$name" >> "$folder/UserList.ini"
    level=$(( i % 4 + 1 ))
    case $level in
        1) lower=50; upper=74 ;;
        2) lower=65; upper=84 ;;
        3) lower=80; upper=94 ;;
        4) lower=$(( 30 + i )); upper=$(( 60 + i )) ;;
    esac
    file="$folder/$name.ini"
    {
        printf '[GradePrefs]\r\nUserLevel=%d\r\nLowerAmber=%d\r\nUpperAmber=%d\r\n' $level $lower $upper
        printf 'CustomLowerAmber=%d\r\nCustomUpperAmber=%d\r\n' $lower $upper
        printf '[PlaySounds]\r\nOpeningClosingGreetings=0\r\nIdleMusic=0\r\nPracticeSounds=0\r\n'
    } > "$file"
    s=1
    for section in $sections; do
        total=$(( (i * 7 + s * 13) % 60 ))
        if [ $(( total % 5 )) -ne 0 ]; then
            correct=$(( total * ((i * 3 + s) % 10 + 1) / 10 ))
            printf '[%s]\r\nOption=1\r\nTotal=%d\r\nCorrect=%d\r\n' "$section" $total $correct >> "$file"
            percent=$(( correct * 100 / total ))
            if [ $percent -lt $lower ]; then colour=red
            elif [ $percent -le $upper ]; then colour=amber
            else colour=green; fi
            echo "$name,$section,$percent,$colour" >> "$folder/expected.csv"
        fi
        s=$(( s + 1 ))
    done
    i=$(( i + 1 ))
done
