var a="http://example.org/*x*/";var b='it\'s // not a comment';var c="say \"/*hi*/\"",d="<b>bold</b>  and   blanks";var e='don\'t';a+b+c+d+e;
