# Memory and GUI time per picture over the number of pictures, from bench_window's figures per
# hundred pictures. Run: bash bench/run.sh plot   (gnuplot -e "data='...'; out='...'" bench/plot.gp)
set terminal pngcairo size 900,480 font ",11"
set output out
set title "kaviewer receiving 360x240x3 pictures at full speed"
set xlabel "pictures in the list"
set ylabel "GUI-thread time per picture (ms)"
set y2label "resident memory growth (MiB)"
set ytics nomirror
set y2tics
set yrange [0:*]
set y2range [0:*]
set key bottom right opaque
set grid
plot data using 1:2 with linespoints title "GUI time per picture, per hundred" axes x1y1, \
     data using 1:3 with lines lw 2 title "resident memory growth since the request" axes x1y2
