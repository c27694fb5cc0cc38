var x=1
var y=2
var z=x+y
var w=[x,y]
w.join("")+z
