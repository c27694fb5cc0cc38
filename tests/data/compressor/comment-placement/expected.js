var a=1;var b=2;var c=3;var d=4;a+b+c+d;
