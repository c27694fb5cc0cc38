var s = "keep  /* this */  // and this";
var t = 'single \' quote';
var r = /a\/b[/]c/g;
var u = ("x y").replace(/ /g, "_");
s + t + r.source + u;
