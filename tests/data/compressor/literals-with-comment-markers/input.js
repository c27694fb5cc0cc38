var a = "http://example.org/*x*/";   // a link, not a comment
var b = 'it\'s // not a comment';
var c = "say \"/*hi*/\"", d = "<b>bold</b>  and   blanks";
/* a "quote" in a comment */ var e = 'don\'t';
a + b + c + d + e;
