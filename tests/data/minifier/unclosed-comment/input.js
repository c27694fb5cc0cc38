var a = 1; /* never closed
var b = 2;
