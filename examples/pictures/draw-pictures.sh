#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws every picture of the sample documents with ImageMagick.
# Run from anywhere; the PNG files are written beside this script.
# The pictures are committed, so the build does not need ImageMagick.
set -eu
cd "$(dirname "$0")"

# 8 bits per channel as in the documents, and no time stamps, so that the
# files only change when the drawing does. Pictures with transparent parts are
# written as PNG32: the documents take transparency from an alpha channel
# only, not from a palette's transparency chunk.
png() { convert -depth 8 -define png:exclude-chunks=date,time "$@"; }

mkdir -p seiten sonnensystem planeten obst tiere flaggen

# --- plain pages for the generated layouts (870 x 620) ---
png -size 870x620 xc:'#ffffff' seiten/weiss.png
png -size 870x620 xc:'#fffbef' seiten/creme.png
png -size 870x620 xc:'#f2f7ff' seiten/hellblau.png
png -size 870x620 xc:'#f4fbef' seiten/hellgruen.png

# --- the solar system (1000 x 700); the sun stands left of the picture at
# (-120, 350), every orbit is a circle around it ---
sun_x=-120
sun_y=350
orbit() { # radius
    echo "circle $sun_x,$sun_y $((sun_x + $1)),$sun_y"
}

# Stars from a fixed linear congruential sequence: the same sky on every run.
stars=""
seed=12345
i=0
while [ $i -lt 140 ]; do
    seed=$(( (seed * 1103515245 + 12345) % 2147483648 ))
    x=$(( seed % 1000 ))
    seed=$(( (seed * 1103515245 + 12345) % 2147483648 ))
    y=$(( seed % 700 ))
    stars="$stars point $x,$y"
    i=$((i + 1))
done

# Asteroid belt: dots between the orbits of Mars and Jupiter.
belt=""
i=0
while [ $i -lt 160 ]; do
    seed=$(( (seed * 1103515245 + 12345) % 2147483648 ))
    r=$(( 575 + seed % 50 ))
    seed=$(( (seed * 1103515245 + 12345) % 2147483648 ))
    # angle between -0.6 and 0.6 rad, as thousandths
    a=$(( seed % 1200 - 600 ))
    xy=$(awk -v r=$r -v a=$a -v cx=$sun_x -v cy=$sun_y \
        'BEGIN { printf "%d,%d", cx + r * cos(a / 1000), cy + r * sin(a / 1000) }')
    belt="$belt circle $xy $(echo "$xy" | awk -F, '{ printf "%d,%d", $1 + 2, $2 }')"
    i=$((i + 1))
done

png -size 1000x700 xc:'#0b1633' \
    -fill '#d8dce8' -stroke none -draw "$stars" \
    -fill none -stroke '#3a4a78' -strokewidth 2 \
    -draw "$(orbit 270)" -draw "$(orbit 345)" -draw "$(orbit 430)" -draw "$(orbit 515)" \
    -draw "$(orbit 690)" -draw "$(orbit 850)" -draw "$(orbit 975)" -draw "$(orbit 1070)" \
    -stroke none -fill '#8c8170' -draw "$belt" \
    -fill '#ffb020' -draw "circle $sun_x,$sun_y $((sun_x + 215)),$sun_y" \
    -fill '#ffd23c' -draw "circle $sun_x,$sun_y $((sun_x + 200)),$sun_y" \
    -fill '#a0a0a0' -draw 'circle 145,300 154,300' \
    -fill '#e8c070' -draw 'circle 218,420 232,420' \
    -fill '#2f6fd0' -draw 'circle 300,260 315,260' \
    -fill '#3fa046' -draw 'ellipse 296,255 6,4 0,360' -draw 'ellipse 306,266 4,5 0,360' \
    -fill '#c8c8c8' -draw 'circle 328,238 333,238' \
    -fill '#c8502a' -draw 'circle 389,430 400,430' \
    -fill '#d8a060' -draw 'circle 567,290 605,290' \
    -fill '#a86838' -draw 'rectangle 534,278 600,284' -draw 'rectangle 533,296 601,303' \
    -fill '#c05030' -draw 'ellipse 582,306 8,5 0,360' \
    -fill '#c8b070' -draw 'path "M 665.5,450 A 58.5,16.5 0 0,1 782.5,450 L 777.5,450 A 53.5,11.5 0 0,0 670.5,450 Z"' \
    -fill '#e0c890' -draw 'circle 724,450 754,450' \
    -fill '#c8b070' -draw 'path "M 665.5,450 A 58.5,16.5 0 0,0 782.5,450 L 777.5,450 A 53.5,11.5 0 0,1 670.5,450 Z"' \
    -fill '#90d8e0' -draw 'circle 850,250 870,250' \
    -fill '#3050c0' -draw 'circle 948,420 967,420' \
    PNG8:sonnensystem/basis.png

# The moon as a query picture: grey disc with craters on transparent ground.
png -size 160x160 xc:none \
    -fill '#b8b8b8' -draw 'circle 80,80 80,8' \
    -fill '#9a9a9a' -draw 'circle 55,60 55,44' -draw 'circle 105,95 105,75' \
    -draw 'circle 70,120 70,110' -draw 'circle 112,50 112,43' \
    -fill '#cfcfcf' -draw 'circle 52,57 52,50' -draw 'circle 101,90 101,82' \
    PNG32:sonnensystem/mond.png

# --- single planets on transparent ground (answers and question pictures) ---
png -size 200x200 xc:none \
    -fill '#2f6fd0' -draw 'circle 100,100 100,10' \
    -fill '#3fa046' -draw 'polygon 60,50 100,40 115,70 90,95 70,120 50,95' \
    -draw 'polygon 120,110 150,100 165,130 140,165 118,150' \
    -fill '#ffffff' -draw 'ellipse 100,18 30,8 0,360' -draw 'ellipse 100,182 30,8 0,360' \
    PNG32:planeten/erde.png
png -size 200x200 xc:none \
    -fill '#c8502a' -draw 'circle 100,100 100,12' \
    -fill '#a43c20' -draw 'ellipse 70,80 22,14 0,360' -draw 'ellipse 125,130 30,12 0,360' \
    -fill '#f0e6e0' -draw 'ellipse 100,20 22,7 0,360' \
    PNG32:planeten/mars.png
# The bands are drawn across the whole square and cut to the disc.
png -size 200x200 xc:'#d8a060' \
    -fill '#a86838' -draw 'rectangle 0,70 199,82' -draw 'rectangle 0,110 199,124' \
    -fill '#e8c08a' -draw 'rectangle 0,140 199,148' \
    -fill '#c05030' -draw 'ellipse 135,128 20,10 0,360' \
    \( -size 200x200 xc:none -fill white -draw 'circle 100,100 100,8' \) \
    -compose DstIn -composite \
    PNG32:planeten/jupiter.png
# Back half of the ring, the ball, then the front half of the ring; each
# half is a filled band between two half ellipses.
png -size 280x180 xc:none \
    -fill '#c8b070' -draw 'path "M 10.5,90 A 129.5,34.5 0 0,1 269.5,90 L 260.5,90 A 120.5,25.5 0 0,0 19.5,90 Z"' \
    -fill '#e0c890' -draw 'circle 140,90 140,30' \
    -fill '#c8aa70' -draw 'rectangle 88,62 192,68' \
    -fill '#c8b070' -draw 'path "M 10.5,90 A 129.5,34.5 0 0,0 269.5,90 L 260.5,90 A 120.5,25.5 0 0,1 19.5,90 Z"' \
    PNG32:planeten/saturn.png

# --- fruit and vegetables for the table ---
png -size 200x200 xc:none \
    -fill '#d42a2a' -draw 'circle 100,112 100,36' \
    -fill '#ff7a6a' -draw 'ellipse 74,92 12,18 0,360' \
    -fill '#6b3a1a' -draw 'rectangle 96,22 104,50' \
    -fill '#3fa046' -draw 'ellipse 126,36 22,10 0,360' \
    PNG32:obst/apfel.png
png -size 200x200 xc:none \
    -fill '#f2d23a' -stroke '#b89a10' -strokewidth 3 \
    -draw 'path "M 25,60 Q 90,200 180,55 Q 95,135 25,60 Z"' \
    -fill '#5a4020' -stroke none -draw 'polygon 172,50 186,44 190,58 180,62' \
    -draw 'circle 26,61 29,61' \
    PNG32:obst/banane.png
png -size 200x200 xc:none \
    -fill '#f08a1c' -draw 'polygon 70,60 130,60 104,190 96,190' \
    -fill '#c86a0c' -draw 'rectangle 80,90 100,93' -draw 'rectangle 100,120 118,123' \
    -draw 'rectangle 86,150 100,153' \
    -fill '#3fa046' -draw 'polygon 100,60 70,10 92,40 100,5 108,40 130,10' \
    PNG32:obst/karotte.png
png -size 200x200 xc:none \
    -fill '#b8d040' -draw 'circle 100,135 100,77' -draw 'circle 100,80 100,48' \
    -draw 'polygon 78,80 122,80 138,120 62,120' \
    -fill '#6b3a1a' -draw 'rectangle 97,25 103,52' \
    PNG32:obst/birne.png

# --- animals for the cluster exercise ---
png -size 240x160 xc:none \
    -fill '#3a86c8' -draw 'ellipse 110,80 80,42 0,360' \
    -draw 'polygon 180,80 232,40 232,120' \
    -fill '#2a6aa0' -draw 'polygon 90,40 130,10 140,44' \
    -fill '#ffffff' -draw 'circle 62,70 62,60' \
    -fill '#000000' -draw 'circle 60,70 60,65' \
    PNG32:tiere/fisch.png
png -size 220x200 xc:none \
    -fill '#5a4030' -draw 'ellipse 110,115 62,45 0,360' \
    -draw 'circle 158,70 158,40' \
    -draw 'polygon 52,110 4,90 14,130' \
    -fill '#f0b020' -draw 'polygon 184,64 214,72 184,80' \
    -fill '#ffffff' -draw 'circle 165,64 165,56' \
    -fill '#000000' -draw 'circle 166,64 166,60' \
    -fill '#3e2c20' -draw 'ellipse 100,108 38,20 0,360' \
    -fill '#f0b020' -draw 'rectangle 98,156 103,190' -draw 'rectangle 118,156 123,190' \
    PNG32:tiere/vogel.png

# --- flags (150 x 90) ---
png -size 150x90 xc:'#000000' -fill '#dd0000' -draw 'rectangle 0,30 149,59' \
    -fill '#ffcc00' -draw 'rectangle 0,60 149,89' flaggen/deutschland.png
png -size 150x90 xc:'#ffffff' -fill '#0055a4' -draw 'rectangle 0,0 49,89' \
    -fill '#ef4135' -draw 'rectangle 100,0 149,89' flaggen/frankreich.png
png -size 150x90 xc:'#ffffff' -fill '#009246' -draw 'rectangle 0,0 49,89' \
    -fill '#ce2b37' -draw 'rectangle 100,0 149,89' flaggen/italien.png
png -size 150x90 xc:'#ffffff' -fill '#ed2939' -draw 'rectangle 0,0 149,29' \
    -draw 'rectangle 0,60 149,89' flaggen/oesterreich.png
png -size 150x90 xc:'#ffffff' -fill '#ae1c28' -draw 'rectangle 0,0 149,29' \
    -fill '#21468b' -draw 'rectangle 0,60 149,89' flaggen/niederlande.png
