var text = "日本語 text", pi = "π";
text + pi + text.length;
