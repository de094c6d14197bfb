# Memory and GUI time per picture over the number of pictures, from bench_window's figures per
# hundred pictures of its 10,000-picture transfers. Run: bash bench/run.sh plot
#   (gnuplot -e "single='...'; batched='...'; out='...'" bench/plot.gp)
set terminal pngcairo size 900,560 font ",11"
set output out
set title "kaviewer receiving 10,000 pictures of 360x240x3"
set xlabel "pictures in the list"
set ylabel "GUI-thread time per picture (ms)"
set y2label "resident memory growth (MiB)"
set ytics nomirror
set y2tics
set yrange [0:*]
set y2range [0:*]
set key below horizontal maxcols 2 spacing 1.2
set grid
plot single using 1:2 with lines title "GUI time per picture, one at a time (25 ms apart)" axes x1y1, \
     batched using 1:2 with lines title "GUI time per picture, back to back" axes x1y1, \
     single using 1:4 with lines dt 2 lc 1 title "of it in the kernel, one at a time" axes x1y1, \
     batched using 1:4 with lines dt 2 lc 2 title "of it in the kernel, back to back" axes x1y1, \
     batched using 1:3 with lines lw 2 title "resident memory growth, back to back" axes x1y2
