; A DOS .COM program that checks what Drovex will read: it opens every f1ct path named in
; DROVEX.CFG of the current folder and writes one line for each into OPENED.TXT, the slot
; number and OK when DOS could open the file, NO when it could not.
        org 0x100
        mov ax, 0x3D00                ; open DROVEX.CFG for reading
        mov dx, cfgname
        int 0x21
        jc fail
        mov bx, ax
        mov ah, 0x3F                  ; read up to 32000 bytes
        mov cx, 32000
        mov dx, buf
        int 0x21
        jc fail
        mov di, buf
        add di, ax
        mov byte [di], 0              ; end mark
        mov ah, 0x3E
        int 0x21
        mov ah, 0x3C                  ; create OPENED.TXT
        xor cx, cx
        mov dx, outname
        int 0x21
        jc fail
        mov [outfile], ax
        mov si, buf
line:   cmp byte [si], 0
        je done
        mov bx, 0                     ; does the line start with f1ct, in any letter case?
key:    mov al, [si+bx]
        or al, 0x20
        cmp al, [keyword+bx]
        jne skip
        inc bx
        cmp bx, 4
        jb key
        mov al, [si+4]                ; the slot number
        mov [record], al
        mov al, [si+5]
        mov [record+1], al
        mov bx, si                    ; past the first double quote of the line
quote:  mov al, [bx]
        cmp al, 0
        je skip
        cmp al, 10
        je skip
        inc bx
        cmp al, '"'
        jne quote
        mov di, name                  ; the path runs up to the next double quote
copy:   mov al, [bx]
        cmp al, '"'
        je copied
        cmp al, 0
        je skip
        cmp al, 10
        je skip
        mov [di], al
        inc di
        inc bx
        jmp copy
copied: mov byte [di], 0
        mov word [record+3], 'NO'
        mov ax, 0x3D00
        mov dx, name
        int 0x21
        jc write
        mov bx, ax
        mov ah, 0x3E
        int 0x21
        mov word [record+3], 'OK'
write:  mov ah, 0x40
        mov bx, [outfile]
        mov cx, 7
        mov dx, record
        int 0x21
skip:   mov al, [si]                  ; on to the next line
        cmp al, 0
        je done
        inc si
        cmp al, 10
        jne skip
        jmp line
done:   mov ah, 0x3E
        mov bx, [outfile]
        int 0x21
        mov ax, 0x4C00
        int 0x21
fail:   mov ax, 0x4C01
        int 0x21

cfgname: db "DROVEX.CFG", 0
outname: db "OPENED.TXT", 0
keyword: db "f1ct"
record:  db "00 NO", 13, 10
outfile: dw 0
name     equ $                        ; 200 bytes for a path, then the file's text
buf      equ name + 200
